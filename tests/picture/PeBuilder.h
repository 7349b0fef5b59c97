#pragma once
// Minimal PE32 and PE32+ files built byte by byte around a resource tree, for the program
// icon tests and the fuzz target's seeds: a DOS header, the PE header, the optional header
// with 16 data directories and one ".rsrc" section. Build also reports where it put each
// part, so that a test can damage the file in exactly one place.
#include <QByteArray>
#include <QString>
#include <QtGlobal>
#include <map>
#include <string>
#include <vector>

class PeBuilder {
 public:
  // Little-endian fields, written in place or appended.
  static void Set16(QByteArray& b, qsizetype at, quint32 v) {
    b[at] = char(v & 0xFF);
    b[at + 1] = char((v >> 8) & 0xFF);
  }
  static void Set32(QByteArray& b, qsizetype at, quint32 v) {
    for (int i = 0; i < 4; ++i) b[at + i] = char((v >> (8 * i)) & 0xFF);
  }
  static quint32 Get32(const QByteArray& b, qsizetype at) {
    quint32 v = 0;
    for (int i = 3; i >= 0; --i) v = (v << 8) | uchar(b[at + i]);
    return v;
  }
  static void Add16(QByteArray& b, quint32 v) {
    b.resize(b.size() + 2);
    Set16(b, b.size() - 2, v);
  }
  static void Add32(QByteArray& b, quint32 v) {
    b.resize(b.size() + 4);
    Set32(b, b.size() - 4, v);
  }
  static void Align(QByteArray& b, int to) {
    while (b.size() % to) b.append('\0');
  }

  // One image of an icon group's directory.
  struct GroupImage {
    int width, height, colours, bits;
    quint16 id;
    quint32 bytesInRes;
  };

  // The data of an icon group resource (type 14).
  static QByteArray Group(const std::vector<GroupImage>& images) {
    QByteArray b;
    Add16(b, 0);
    Add16(b, 1);
    Add16(b, quint32(images.size()));
    for (const GroupImage& i : images) {
      b.append(char(i.width & 0xFF));  // 256 is written 0
      b.append(char(i.height & 0xFF));
      b.append(char(i.colours));
      b.append('\0');
      Add16(b, 1);
      Add16(b, quint32(i.bits));
      Add32(b, i.bytesInRes);
      Add16(b, i.id);
    }
    return b;
  }

  struct Resource {
    QString name;  // a named resource; empty: numbered by id
    quint16 id = 0;
    QByteArray data;
  };
  struct ResourceType {
    quint16 id;
    std::vector<Resource> items;  // named ones first, as linkers write them
  };

  // Where the builder put things, as file offsets, for the damaged variants:
  // "root", "type N" (the root's entry), "names N" (directory), "name N X" (its entry),
  // "languages N X", "data N X" (the data entry) and "blob N X", X being the name or id.
  struct Layout {
    qsizetype pe = 0, optional = 0, sections = 0, treeEnd = 0;
    std::map<std::string, qsizetype> at;
  };

  // Where the resource section is loaded and where it stands in the file.
  static constexpr quint32 kRsrcRva = 0x1000, kRsrcFile = 0x200;

  // DOS header, PE header, the optional header with 16 data directories, one ".rsrc"
  // section holding the resource tree.
  static QByteArray Build(const std::vector<ResourceType>& types, bool plus,
                          Layout* out = nullptr) {
    Layout layout;
    const QByteArray rsrc = ResourceSection(types, layout);
    QByteArray f(64, '\0');
    f[0] = 'M';
    f[1] = 'Z';
    layout.pe = 0x40;
    Set32(f, 0x3C, quint32(layout.pe));
    f.append("PE\0\0", 4);
    Add16(f, plus ? 0x8664 : 0x14C);  // machine
    Add16(f, 1);                      // sections
    Add32(f, 0);
    Add32(f, 0);
    Add32(f, 0);
    const int optionalSize = plus ? 240 : 224;
    Add16(f, quint32(optionalSize));
    Add16(f, 0x0102);  // an executable image
    layout.optional = f.size();
    QByteArray optional(optionalSize, '\0');
    Set16(optional, 0, plus ? 0x20B : 0x10B);
    Set32(optional, 32, 0x1000);  // section alignment
    Set32(optional, 36, 0x200);   // file alignment
    Set32(optional, 56, kRsrcRva + ((quint32(rsrc.size()) + 0xFFF) & ~0xFFFu));
    Set32(optional, 60, kRsrcFile);
    const int directories = plus ? 112 : 96;
    Set32(optional, directories - 4, 16);
    Set32(optional, directories + 16, kRsrcRva);
    Set32(optional, directories + 20, quint32(rsrc.size()));
    f += optional;
    layout.sections = f.size();
    f.append(".rsrc\0\0\0", 8);
    Add32(f, quint32(rsrc.size()));  // virtual size
    Add32(f, kRsrcRva);
    Add32(f, (quint32(rsrc.size()) + 0x1FF) & ~0x1FFu);  // raw size
    Add32(f, kRsrcFile);
    Add32(f, 0);
    Add32(f, 0);
    Add32(f, 0);
    Add32(f, 0x40000040);  // initialised, readable data
    Align(f, kRsrcFile);
    f += rsrc;
    Align(f, 0x200);
    if (out) *out = layout;
    return f;
  }

 private:
  static std::string Key(quint16 type, const Resource& r) {
    return std::to_string(type) + " " +
           (r.name.isEmpty() ? std::to_string(r.id) : r.name.toStdString());
  }

  static QByteArray ResourceSection(const std::vector<ResourceType>& types, Layout& layout) {
    // Offsets first: directories, then data entries and names (the tree), then the data.
    quint32 off = 16 + 8 * quint32(types.size());
    std::map<std::string, quint32> languages, dataEntries, strings, blobs;
    std::vector<quint32> typeDirs;
    for (const ResourceType& t : types) {
      typeDirs.push_back(off);
      off += 16 + 8 * quint32(t.items.size());
    }
    for (const ResourceType& t : types)
      for (const Resource& r : t.items) languages[Key(t.id, r)] = off, off += 24;
    for (const ResourceType& t : types)
      for (const Resource& r : t.items) dataEntries[Key(t.id, r)] = off, off += 16;
    for (const ResourceType& t : types)
      for (const Resource& r : t.items)
        if (!r.name.isEmpty()) strings[Key(t.id, r)] = off, off += 2 + 2 * quint32(r.name.size());
    off = (off + 3) & ~3u;
    const quint32 treeEnd = off;
    for (const ResourceType& t : types)
      for (const Resource& r : t.items) {
        blobs[Key(t.id, r)] = off;
        off = (off + quint32(r.data.size()) + 3) & ~3u;
      }

    QByteArray s(off, '\0');
    auto directory = [&](quint32 at, int named, int ids) {
      Set16(s, at + 12, named);
      Set16(s, at + 14, ids);
    };
    directory(0, 0, int(types.size()));
    layout.at["root"] = kRsrcFile;
    for (size_t t = 0; t < types.size(); ++t) {
      const ResourceType& type = types[t];
      const quint32 entry = 16 + 8 * quint32(t);
      Set32(s, entry, type.id);
      Set32(s, entry + 4, typeDirs[t] | 0x80000000u);
      layout.at["type " + std::to_string(type.id)] = kRsrcFile + entry;
      layout.at["names " + std::to_string(type.id)] = kRsrcFile + typeDirs[t];
      int named = 0;
      for (const Resource& r : type.items) named += !r.name.isEmpty();
      directory(typeDirs[t], named, int(type.items.size()) - named);
      for (size_t i = 0; i < type.items.size(); ++i) {
        const Resource& r = type.items[i];
        const std::string key = Key(type.id, r);
        const quint32 nameEntry = typeDirs[t] + 16 + 8 * quint32(i);
        Set32(s, nameEntry, r.name.isEmpty() ? r.id : strings[key] | 0x80000000u);
        Set32(s, nameEntry + 4, languages[key] | 0x80000000u);
        if (!r.name.isEmpty()) {
          Set16(s, strings[key], quint32(r.name.size()));
          for (qsizetype c = 0; c < r.name.size(); ++c)
            Set16(s, strings[key] + 2 + 2 * quint32(c), r.name[c].unicode());
        }
        directory(languages[key], 0, 1);
        Set32(s, languages[key] + 16, 0x409);
        Set32(s, languages[key] + 20, dataEntries[key]);
        Set32(s, dataEntries[key], kRsrcRva + blobs[key]);
        Set32(s, dataEntries[key] + 4, quint32(r.data.size()));
        s.replace(blobs[key], r.data.size(), r.data);
        layout.at["name " + key] = kRsrcFile + nameEntry;
        layout.at["languages " + key] = kRsrcFile + languages[key];
        layout.at["data " + key] = kRsrcFile + dataEntries[key];
        layout.at["blob " + key] = kRsrcFile + blobs[key];
      }
    }
    layout.treeEnd = kRsrcFile + treeEnd;
    return s;
  }
};
