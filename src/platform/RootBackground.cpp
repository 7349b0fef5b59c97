#include "RootBackground.h"

#include <xcb/xcb.h>
#include <xcb/xproto.h>

#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

namespace {

struct ConnectionCloser {
  void operator()(xcb_connection_t* c) const { xcb_disconnect(c); }
};
using Connection = std::unique_ptr<xcb_connection_t, ConnectionCloser>;

template <typename Reply>
std::unique_ptr<Reply, decltype(&std::free)> Owned(Reply* reply) {
  return {reply, &std::free};
}

// True when the request behind cookie went through.
bool Ok(xcb_connection_t* c, xcb_void_cookie_t cookie) {
  xcb_generic_error_t* error = xcb_request_check(c, cookie);
  std::free(error);
  return error == nullptr;
}

xcb_atom_t Atom(xcb_connection_t* c, const char* name) {
  auto reply = Owned(
      xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, uint16_t(std::strlen(name)), name), nullptr));
  return reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
}

// The pixmap a root property names, 0 for none.
xcb_pixmap_t PixmapProperty(xcb_connection_t* c, xcb_window_t root, xcb_atom_t atom) {
  auto reply = Owned(xcb_get_property_reply(
      c, xcb_get_property(c, 0, root, atom, XCB_ATOM_PIXMAP, 0, 1), nullptr));
  if (!reply || reply->type != XCB_ATOM_PIXMAP || reply->format != 32 ||
      xcb_get_property_value_length(reply.get()) < 4)
    return 0;
  xcb_pixmap_t id;
  std::memcpy(&id, xcb_get_property_value(reply.get()), sizeof id);
  return id;
}

const xcb_visualtype_t* FindVisual(const xcb_screen_t* screen) {
  for (auto d = xcb_screen_allowed_depths_iterator(screen); d.rem; xcb_depth_next(&d)) {
    for (auto v = xcb_depth_visuals_iterator(d.data); v.rem; xcb_visualtype_next(&v))
      if (v.data->visual_id == screen->root_visual) return v.data;
  }
  return nullptr;
}

// Where one 8-bit channel goes inside a pixel value.
struct Channel {
  int shift = 0;  // of the mask's lowest bit
  int bits = 0;
};

Channel FromMask(uint32_t mask) {
  Channel c;
  if (!mask) return c;
  while (!(mask & 1)) {
    mask >>= 1;
    ++c.shift;
  }
  while (mask & 1) {
    mask >>= 1;
    ++c.bits;
  }
  if (c.bits > 8) {  // wider than our 8 bits: fill the top
    c.shift += c.bits - 8;
    c.bits = 8;
  }
  return c;
}

uint32_t Place(int value, const Channel& c) {
  return uint32_t(value >> (8 - c.bits)) << c.shift;
}

}  // namespace

bool RootBackground::Set(const QByteArray& display, const QImage& picture) {
  if (picture.isNull() || display.isEmpty()) return false;
  int screenNumber = 0;
  Connection connection(xcb_connect(display.constData(), &screenNumber));
  xcb_connection_t* c = connection.get();
  if (xcb_connection_has_error(c)) return false;

  const xcb_setup_t* setup = xcb_get_setup(c);
  xcb_screen_iterator_t screens = xcb_setup_roots_iterator(setup);
  for (int i = 0; i < screenNumber && screens.rem; ++i) xcb_screen_next(&screens);
  if (!screens.rem) return false;
  const xcb_screen_t* screen = screens.data;
  const xcb_window_t root = screen->root;
  const int width = screen->width_in_pixels, height = screen->height_in_pixels;
  const uint8_t depth = screen->root_depth;

  const xcb_visualtype_t* visual = FindVisual(screen);
  if (!visual || (visual->_class != XCB_VISUAL_CLASS_TRUE_COLOR &&
                  visual->_class != XCB_VISUAL_CLASS_DIRECT_COLOR))
    return false;
  int bitsPerPixel = 0, scanlinePad = 0;
  for (auto f = xcb_setup_pixmap_formats_iterator(setup); f.rem; xcb_format_next(&f)) {
    if (f.data->depth == depth) {
      bitsPerPixel = f.data->bits_per_pixel;
      scanlinePad = f.data->scanline_pad;
    }
  }
  if (bitsPerPixel != 16 && bitsPerPixel != 24 && bitsPerPixel != 32) return false;
  if (scanlinePad < 8) return false;
  const int bytesPerPixel = bitsPerPixel / 8;
  const qint64 stride =
      (qint64(width) * bitsPerPixel + scanlinePad - 1) / scanlinePad * scanlinePad / 8;

  const xcb_atom_t rootAtom = Atom(c, "_XROOTPMAP_ID");
  const xcb_atom_t esetrootAtom = Atom(c, "ESETROOT_PMAP_ID");
  if (rootAtom == XCB_ATOM_NONE || esetrootAtom == XCB_ATOM_NONE) return false;
  const xcb_pixmap_t oldRoot = PixmapProperty(c, root, rootAtom);
  const xcb_pixmap_t oldEsetroot = PixmapProperty(c, root, esetrootAtom);

  // The picture at the root's size, packed as the server keeps pixels of that depth.
  const QImage stretched =
      picture.scaled(width, height, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
          .convertToFormat(QImage::Format_RGB32);
  const Channel red = FromMask(visual->red_mask), green = FromMask(visual->green_mask),
                blue = FromMask(visual->blue_mask);
  const bool msbFirst = setup->image_byte_order == XCB_IMAGE_ORDER_MSB_FIRST;

  // Rows go in requests that fit the server's request size.
  constexpr qint64 kPutImageHeader = 24;
  const qint64 maxRequest = qint64(xcb_get_maximum_request_length(c)) * 4;
  const qint64 rowsPerRequest = (maxRequest - kPutImageHeader) / stride;
  if (rowsPerRequest < 1) return false;

  const xcb_pixmap_t pixmap = xcb_generate_id(c);
  if (!Ok(c, xcb_create_pixmap_checked(c, depth, pixmap, root, uint16_t(width), uint16_t(height))))
    return false;
  const xcb_gcontext_t gc = xcb_generate_id(c);
  xcb_create_gc(c, gc, pixmap, 0, nullptr);

  bool ok = true;
  std::vector<uint8_t> band;
  for (int top = 0; ok && top < height; top += int(rowsPerRequest)) {
    const int rows = int(std::min<qint64>(rowsPerRequest, height - top));
    band.assign(size_t(stride * rows), 0);
    for (int y = 0; y < rows; ++y) {
      const auto* in = reinterpret_cast<const QRgb*>(stretched.constScanLine(top + y));
      uint8_t* out = band.data() + stride * y;
      for (int x = 0; x < width; ++x, out += bytesPerPixel) {
        const uint32_t v =
            Place(qRed(in[x]), red) | Place(qGreen(in[x]), green) | Place(qBlue(in[x]), blue);
        for (int b = 0; b < bytesPerPixel; ++b) {
          const int shift = 8 * (msbFirst ? bytesPerPixel - 1 - b : b);
          out[b] = uint8_t(v >> shift);
        }
      }
    }
    ok = Ok(c, xcb_put_image_checked(c, XCB_IMAGE_FORMAT_Z_PIXMAP, pixmap, gc, uint16_t(width),
                                     uint16_t(rows), 0, int16_t(top), 0, depth,
                                     uint32_t(band.size()), band.data()));
  }
  xcb_free_gc(c, gc);

  ok = ok && Ok(c, xcb_change_window_attributes_checked(c, root, XCB_CW_BACK_PIXMAP, &pixmap));
  ok = ok && Ok(c, xcb_change_property_checked(c, XCB_PROP_MODE_REPLACE, root, rootAtom,
                                               XCB_ATOM_PIXMAP, 32, 1, &pixmap));
  ok = ok && Ok(c, xcb_change_property_checked(c, XCB_PROP_MODE_REPLACE, root, esetrootAtom,
                                               XCB_ATOM_PIXMAP, 32, 1, &pixmap));
  if (!ok) return false;  // closing the connection frees the pixmap
  xcb_clear_area(c, 0, root, 0, 0, 0, 0);

  // The earlier setter kept its pixmap alive by retaining its whole client; when both
  // properties named that pixmap, ending the client frees it. Never our own range: the
  // server may have given us the resource base of a client that is long gone.
  const uint32_t ownBase = setup->resource_id_base, ownMask = setup->resource_id_mask;
  if (oldRoot && oldRoot == oldEsetroot && (oldRoot & ~ownMask) != ownBase)
    Ok(c, xcb_kill_client_checked(c, oldRoot));  // already gone: nothing to free

  return Ok(c, xcb_set_close_down_mode_checked(c, XCB_CLOSE_DOWN_RETAIN_PERMANENT));
}
