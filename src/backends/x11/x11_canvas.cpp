#include "backends/x11/x11_canvas.h"

#include <QGuiApplication>
#include <algorithm>
#include <cmath>
#include <xcb/render.h>

#include "backends/x11/xcb_util.h"

namespace {

// A part of a frame is put together in at most this many bytes of server memory.
constexpr qsizetype kScratchBytes = 4 * 1024 * 1024;

bool isArgb32(const xcb_render_pictforminfo_t& f) {
  const xcb_render_directformat_t& d = f.direct;
  return f.type == XCB_RENDER_PICT_TYPE_DIRECT && f.depth == 32 && d.alpha_shift == 24 && d.alpha_mask == 0xff &&
         d.red_shift == 16 && d.red_mask == 0xff && d.green_shift == 8 && d.green_mask == 0xff &&
         d.blue_shift == 0 && d.blue_mask == 0xff;
}

// Whether a visual's pixels are the bytes of QImage::Format_RGB32 on this machine.
bool isRgb32(const xcb_setup_t* setup, xcb_visualid_t visual, int depth) {
  if (setup->image_byte_order != XCB_IMAGE_ORDER_LSB_FIRST || (depth != 24 && depth != 32)) return false;
  bool wholeWords = false;
  for (auto it = xcb_setup_pixmap_formats_iterator(setup); it.rem; xcb_format_next(&it))
    if (it.data->depth == depth) wholeWords = it.data->bits_per_pixel == 32;
  if (!wholeWords) return false;
  for (auto s = xcb_setup_roots_iterator(setup); s.rem; xcb_screen_next(&s))
    for (auto d = xcb_screen_allowed_depths_iterator(s.data); d.rem; xcb_depth_next(&d))
      for (auto v = xcb_depth_visuals_iterator(d.data); v.rem; xcb_visualtype_next(&v))
        if (v.data->visual_id == visual)
          return v.data->_class == XCB_VISUAL_CLASS_TRUE_COLOR && v.data->red_mask == 0xff0000 &&
                 v.data->green_mask == 0xff00 && v.data->blue_mask == 0xff;
  return false;
}

}  // namespace

std::unique_ptr<X11Canvas> X11Canvas::onQtWindow(quint32 window) {
  auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
  if (!x11 || !x11->connection()) return nullptr;
  return create(x11->connection(), window);
}

std::unique_ptr<X11Canvas> X11Canvas::create(xcb_connection_t* c, quint32 window, Exposures exposures) {
  if (!c || xcb_connection_has_error(c)) return nullptr;
  const xcb_query_extension_reply_t* render = xcb_get_extension_data(c, &xcb_render_id);
  if (!render || !render->present) return nullptr;
  auto attributes = Xcb::reply(xcb_get_window_attributes_reply(c, xcb_get_window_attributes(c, window), nullptr));
  auto geometry = Xcb::reply(xcb_get_geometry_reply(c, xcb_get_geometry(c, window), nullptr));
  auto formats = Xcb::reply(xcb_render_query_pict_formats_reply(c, xcb_render_query_pict_formats(c), nullptr));
  if (!attributes || !geometry || !formats) return nullptr;
  if (!isRgb32(xcb_get_setup(c), attributes->visual, geometry->depth)) return nullptr;

  Formats found;
  for (auto f = xcb_render_query_pict_formats_formats_iterator(formats.get()); f.rem;
       xcb_render_pictforminfo_next(&f))
    if (isArgb32(*f.data)) found.argb = f.data->id;
  for (auto s = xcb_render_query_pict_formats_screens_iterator(formats.get()); s.rem;
       xcb_render_pictscreen_next(&s))
    for (auto d = xcb_render_pictscreen_depths_iterator(s.data); d.rem; xcb_render_pictdepth_next(&d))
      for (auto v = xcb_render_pictdepth_visuals_iterator(d.data); v.rem; xcb_render_pictvisual_next(&v))
        if (v.data->visual == attributes->visual) found.window = v.data->format;
  if (!found.argb || !found.window) return nullptr;
  return std::unique_ptr<X11Canvas>(new X11Canvas(c, window, geometry->depth, found, exposures));
}

X11Canvas::X11Canvas(xcb_connection_t* connection, quint32 window, int depth, Formats formats,
                     Exposures exposures)
    : connection_(connection), window_(window), depth_(depth), formats_(formats), exposures_(exposures) {
  gc_ = xcb_generate_id(connection_);
  const uint32_t noExposures = 0;
  xcb_create_gc(connection_, gc_, window_, XCB_GC_GRAPHICS_EXPOSURES, &noExposures);
}

X11Canvas::~X11Canvas() {
  if (scratchPicture_) xcb_render_free_picture(connection_, scratchPicture_);
  for (quint32 pixmap : {scratch_, background_, nextBackground_})
    if (pixmap) xcb_free_pixmap(connection_, pixmap);
  if (argbGc_) xcb_free_gc(connection_, argbGc_);
  xcb_free_gc(connection_, gc_);
  xcb_flush(connection_);
}

void X11Canvas::putImage(quint32 drawable, int depth, const QImage& image, QPoint at) {
  Xcb::putImage(connection_, drawable, depth == depth_ ? gc_ : argbGc_, depth, image, at);
}

void X11Canvas::startBackground(QSize size) {
  if (nextBackground_) xcb_free_pixmap(connection_, nextBackground_);
  nextBackground_ = 0;
  if (size.isEmpty()) return;
  nextBackground_ = xcb_generate_id(connection_);
  xcb_create_pixmap(connection_, uint8_t(depth_), nextBackground_, window_, uint16_t(size.width()),
                    uint16_t(size.height()));
}

void X11Canvas::putBackground(const QImage& part, QPoint at) {
  if (!nextBackground_) return;
  putImage(nextBackground_, depth_, part.convertToFormat(QImage::Format_RGB32), at);
}

void X11Canvas::showBackground() {
  if (background_) xcb_free_pixmap(connection_, background_);
  background_ = nextBackground_;
  nextBackground_ = 0;
  if (exposures_ == Exposures::ByOwner) {
    flush();
    return;
  }
  if (background_) {
    xcb_change_window_attributes(connection_, window_, XCB_CW_BACK_PIXMAP, &background_);
  } else {
    const uint32_t black = 0;
    xcb_change_window_attributes(connection_, window_, XCB_CW_BACK_PIXEL, &black);
  }
  xcb_clear_area(connection_, 0, window_, 0, 0, 0, 0);
  flush();
}

X11Canvas::PictureId X11Canvas::upload(const QImage& picture) {
  if (picture.isNull()) return 0;
  const QImage argb = picture.convertToFormat(QImage::Format_ARGB32_Premultiplied);
  const xcb_pixmap_t pixmap = xcb_generate_id(connection_);
  xcb_create_pixmap(connection_, 32, pixmap, window_, uint16_t(argb.width()), uint16_t(argb.height()));
  if (!argbGc_) {
    argbGc_ = xcb_generate_id(connection_);
    xcb_create_gc(connection_, argbGc_, pixmap, 0, nullptr);
  }
  putImage(pixmap, 32, argb, QPoint(0, 0));
  const xcb_render_picture_t id = xcb_generate_id(connection_);
  xcb_render_create_picture(connection_, id, pixmap, formats_.argb, 0, nullptr);
  // The picture keeps the pixels alive on its own.
  xcb_free_pixmap(connection_, pixmap);
  return id;
}

void X11Canvas::release(PictureId picture) {
  if (picture) xcb_render_free_picture(connection_, picture);
}

void X11Canvas::ensureScratch(QSize size) {
  if (scratch_ && scratchSize_.width() >= size.width() && scratchSize_.height() >= size.height()) return;
  if (scratchPicture_) xcb_render_free_picture(connection_, scratchPicture_);
  if (scratch_) xcb_free_pixmap(connection_, scratch_);
  // Grow to fit both old and new parts while that stays within the budget.
  scratchSize_ = scratchSize_.expandedTo(size);
  if (qsizetype(scratchSize_.width()) * scratchSize_.height() * 4 > kScratchBytes) scratchSize_ = size;
  scratch_ = xcb_generate_id(connection_);
  xcb_create_pixmap(connection_, uint8_t(depth_), scratch_, window_, uint16_t(scratchSize_.width()),
                    uint16_t(scratchSize_.height()));
  scratchPicture_ = xcb_generate_id(connection_);
  xcb_render_create_picture(connection_, scratchPicture_, scratch_, formats_.window, 0, nullptr);
}

namespace {

// The parts of `area` in fewer, larger rectangles: each costs a few requests,
// so rectangles that lie close together go as one where that adds little.
QList<QRect> coarse(const QList<QRect>& area) {
  QList<QRect> parts;
  for (const QRect& rect : area) {
    bool merged = false;
    for (QRect& part : parts) {
      const QRect both = part.united(rect);
      const qint64 spare = qint64(both.width()) * both.height() - qint64(part.width()) * part.height() -
                           qint64(rect.width()) * rect.height();
      if (spare <= 4096) {
        part = both;
        merged = true;
        break;
      }
    }
    if (!merged) parts.append(rect);
  }
  return parts;
}

}  // namespace

void X11Canvas::draw(const QList<QRect>& area, const QList<Placed>& pictures) {
  for (const QRect& rect : coarse(area)) {
    // Tall parts go in strips, so the scratch pixmap stays small.
    const int rows = int(std::max<qsizetype>(1, kScratchBytes / (4 * qsizetype(rect.width()))));
    for (int y = rect.top(); y <= rect.bottom(); y += rows)
      drawRect(QRect(rect.left(), y, rect.width(), std::min(rows, rect.bottom() + 1 - y)), pictures);
  }
  flush();
}

void X11Canvas::drawRect(const QRect& rect, const QList<Placed>& pictures) {
  ensureScratch(rect.size());
  if (background_) {
    const uint32_t values[] = {XCB_FILL_STYLE_TILED, background_, uint32_t(-rect.x()), uint32_t(-rect.y())};
    xcb_change_gc(connection_, gc_,
                  XCB_GC_FILL_STYLE | XCB_GC_TILE | XCB_GC_TILE_STIPPLE_ORIGIN_X | XCB_GC_TILE_STIPPLE_ORIGIN_Y,
                  values);
  } else {
    const uint32_t values[] = {0, XCB_FILL_STYLE_SOLID};
    xcb_change_gc(connection_, gc_, XCB_GC_FOREGROUND | XCB_GC_FILL_STYLE, values);
  }
  const xcb_rectangle_t whole{0, 0, uint16_t(rect.width()), uint16_t(rect.height())};
  xcb_poly_fill_rectangle(connection_, scratch_, gc_, 1, &whole);
  for (const Placed& placed : pictures) {
    const QRect part = placed.shown() & rect;
    if (!placed.picture || part.isEmpty()) continue;
    if (placed.scale != 1) {
      compositeScaled(placed, part, rect);
      continue;
    }
    xcb_render_composite(connection_, XCB_RENDER_PICT_OP_OVER, placed.picture, XCB_NONE, scratchPicture_,
                         int16_t(part.x() - placed.rect.x()), int16_t(part.y() - placed.rect.y()), 0, 0,
                         int16_t(part.x() - rect.x()), int16_t(part.y() - rect.y()), uint16_t(part.width()),
                         uint16_t(part.height()));
  }
  xcb_copy_area(connection_, scratch_, window_, gc_, 0, 0, int16_t(rect.x()), int16_t(rect.y()),
                uint16_t(rect.width()), uint16_t(rect.height()));
}

void X11Canvas::compositeScaled(const Placed& placed, const QRect& part, const QRect& rect) {
  // The transform maps the frame's pixels back into the picture's.
  const auto fixed = [](double v) { return xcb_render_fixed_t(std::lround(v * 65536)); };
  const double inverse = 1 / placed.scale;
  const xcb_render_transform_t scaled{fixed(inverse), 0, 0, 0, fixed(inverse), 0, 0, 0, fixed(1)};
  const xcb_render_transform_t identity{fixed(1), 0, 0, 0, fixed(1), 0, 0, 0, fixed(1)};
  static constexpr char kBilinear[] = "bilinear";
  static constexpr char kNearest[] = "nearest";
  xcb_render_set_picture_transform(connection_, placed.picture, scaled);
  xcb_render_set_picture_filter(connection_, placed.picture, sizeof kBilinear - 1, kBilinear, 0, nullptr);
  xcb_render_composite(connection_, XCB_RENDER_PICT_OP_OVER, placed.picture, XCB_NONE, scratchPicture_,
                       int16_t(part.x() - placed.rect.x()), int16_t(part.y() - placed.rect.y()), 0, 0,
                       int16_t(part.x() - rect.x()), int16_t(part.y() - rect.y()), uint16_t(part.width()),
                       uint16_t(part.height()));
  xcb_render_set_picture_transform(connection_, placed.picture, identity);
  xcb_render_set_picture_filter(connection_, placed.picture, sizeof kNearest - 1, kNearest, 0, nullptr);
}

void X11Canvas::flush() { xcb_flush(connection_); }
