#include "MidiLength.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

constexpr quint32 kDefaultTempo = 500000;  // microseconds per quarter note: 120 bpm

quint32 Big32(const uchar* p) {
  return (quint32(p[0]) << 24) | (quint32(p[1]) << 16) | (quint32(p[2]) << 8) | quint32(p[3]);
}
quint16 Big16(const uchar* p) {
  return quint16((p[0] << 8) | p[1]);
}

struct TempoChange {
  quint64 tick;
  quint32 microsPerQuarter;
};

// Reads one track's events between p and end. Adds its tempo changes and returns the tick
// of its last event, or nothing when the events cannot be followed.
class TrackReader {
 public:
  TrackReader(const uchar* p, const uchar* end) : p_(p), end_(end) {}

  std::optional<quint64> Read(std::vector<TempoChange>& tempos) {
    quint64 tick = 0;
    int status = 0;  // running status; 0 while none has been seen
    while (p_ < end_) {
      const auto delta = Number();
      if (!delta) return std::nullopt;
      tick += *delta;
      if (p_ >= end_) return std::nullopt;
      int byte = *p_;
      if (byte & 0x80) {
        ++p_;
      } else {
        if (status == 0) return std::nullopt;  // data byte without a status to run on
        byte = status;
      }
      if (byte == 0xFF) {  // meta event
        if (p_ >= end_) return std::nullopt;
        const int type = *p_++;
        const auto length = Number();
        if (!length || *length > quint64(end_ - p_)) return std::nullopt;
        if (type == 0x51 && *length == 3) {
          const quint32 tempo = (quint32(p_[0]) << 16) | (quint32(p_[1]) << 8) | quint32(p_[2]);
          // A tempo of zero would stop time; the synthesiser ignores it as well.
          if (tempo > 0) tempos.push_back({tick, tempo});
        }
        p_ += *length;
        if (type == 0x2F) return tick;  // end of track: what follows is not played
        status = 0;
      } else if (byte == 0xF0 || byte == 0xF7) {  // system exclusive, or an escape
        const auto length = Number();
        if (!length || *length > quint64(end_ - p_)) return std::nullopt;
        p_ += *length;
        status = 0;
      } else if (byte >= 0xF1) {
        return std::nullopt;  // system common and real-time messages are not file events
      } else {
        status = byte;
        const int dataBytes = (byte & 0xF0) == 0xC0 || (byte & 0xF0) == 0xD0 ? 1 : 2;
        // Under running status p_ still points at the first data byte, otherwise it has
        // just passed the status byte: either way the data bytes follow.
        if (quint64(end_ - p_) < quint64(dataBytes)) return std::nullopt;
        p_ += dataBytes;
      }
    }
    return tick;  // a track without its end-of-track event ends with its data
  }

 private:
  // A variable-length number: at most four bytes of seven bits.
  std::optional<quint64> Number() {
    quint64 value = 0;
    for (int i = 0; i < 4; ++i) {
      if (p_ >= end_) return std::nullopt;
      const uchar b = *p_++;
      value = (value << 7) | (b & 0x7F);
      if (!(b & 0x80)) return value;
    }
    return std::nullopt;
  }

  const uchar* p_;
  const uchar* end_;
};

}  // namespace

std::optional<qint64> MidiLength::Milliseconds(const QByteArray& smf) {
  const auto* data = reinterpret_cast<const uchar*>(smf.constData());
  const quint64 size = quint64(smf.size());
  if (size < 14 || std::memcmp(data, "MThd", 4) != 0) return std::nullopt;
  const quint32 headerLength = Big32(data + 4);
  if (headerLength < 6 || headerLength > size - 8) return std::nullopt;
  const int format = Big16(data + 8);
  const int trackCount = Big16(data + 10);
  const quint16 division = Big16(data + 12);
  if (format > 1 || trackCount == 0) return std::nullopt;

  // Time of one tick as a fraction: microseconds = ticks * numerator / denominator, where
  // the numerator is the tempo for metrical time.
  const bool smpte = division & 0x8000;
  quint64 ticksPerQuarter = 0;
  quint64 smpteNumerator = 0, smpteDenominator = 0;
  if (smpte) {
    const int frames = -int(qint8(division >> 8));
    const int subFrames = division & 0xFF;
    if (subFrames == 0) return std::nullopt;
    switch (frames) {
      case 24:
      case 25:
      case 30:
        smpteNumerator = 1000000;
        smpteDenominator = quint64(frames) * quint64(subFrames);
        break;
      case 29:  // 30 drop-frame: 29.97 frames a second
        smpteNumerator = 1001000;
        smpteDenominator = 30ull * quint64(subFrames);
        break;
      default:
        return std::nullopt;
    }
  } else {
    ticksPerQuarter = division;
    if (ticksPerQuarter == 0) return std::nullopt;
  }

  std::vector<TempoChange> tempos;
  quint64 lastTick = 0;
  int tracksRead = 0;
  quint64 at = 8 + quint64(headerLength);
  while (tracksRead < trackCount && size - at >= 8) {
    const uchar* chunk = data + at;
    const quint64 length = Big32(chunk + 4);
    if (length > size - at - 8) return std::nullopt;  // cut short
    if (std::memcmp(chunk, "MTrk", 4) == 0) {
      TrackReader reader(chunk + 8, chunk + 8 + length);
      const auto end = reader.Read(tempos);
      if (!end) return std::nullopt;
      lastTick = std::max(lastTick, *end);
      ++tracksRead;
    }
    // Chunks of other kinds are skipped, as the format asks of readers.
    at += 8 + length;
  }
  if (tracksRead != trackCount) return std::nullopt;

  // Each tick is at most 2^28 and each file at most 2^32 bytes long, so ticks stay below
  // 2^60; their products with a tempo (below 2^24) need 128 bits.
  unsigned __int128 micros = 0;
  if (smpte) {
    micros = (unsigned __int128)lastTick * smpteNumerator / smpteDenominator;
  } else {
    // A tempo change applies from its tick on; changes at the same tick keep the last.
    std::stable_sort(tempos.begin(), tempos.end(),
                     [](const TempoChange& a, const TempoChange& b) { return a.tick < b.tick; });
    unsigned __int128 scaled = 0;  // microseconds times ticks per quarter
    quint64 tick = 0;
    quint32 tempo = kDefaultTempo;
    for (const TempoChange& change : tempos) {
      if (change.tick >= lastTick) break;
      scaled += (unsigned __int128)(change.tick - tick) * tempo;
      tick = change.tick;
      tempo = change.microsPerQuarter;
    }
    scaled += (unsigned __int128)(lastTick - tick) * tempo;
    micros = scaled / ticksPerQuarter;
  }
  const unsigned __int128 ms = micros / 1000;
  if (ms > (unsigned __int128)MaxMilliseconds) return std::nullopt;
  return qint64(ms);
}
