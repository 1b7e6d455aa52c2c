// How often the screen changes: samples the root window of $DISPLAY (or a
// part of it) every few milliseconds for SECONDS and prints the changes per
// second and the median gap between two changes. Used under Xvfb to check
// that smooth motion reaches the screen's refresh rate.
//
//   screen_rate SECONDS [X Y W H]
#include <xcb/xcb.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string_view>
#include <thread>
#include <vector>

int main(int argc, char* argv[]) {
  const double seconds = argc > 1 ? std::atof(argv[1]) : 5;
  xcb_connection_t* c = xcb_connect(nullptr, nullptr);
  if (xcb_connection_has_error(c)) return 1;
  xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
  int x = 0, y = 0, w = screen->width_in_pixels, h = screen->height_in_pixels;
  if (argc > 5) x = std::atoi(argv[2]), y = std::atoi(argv[3]), w = std::atoi(argv[4]), h = std::atoi(argv[5]);
  using Clock = std::chrono::steady_clock;
  const auto start = Clock::now();
  size_t last = 0;
  std::vector<double> changes;
  int samples = 0;
  while (std::chrono::duration<double>(Clock::now() - start).count() < seconds) {
    auto* image = xcb_get_image_reply(
        c, xcb_get_image(c, XCB_IMAGE_FORMAT_Z_PIXMAP, screen->root, int16_t(x), int16_t(y), uint16_t(w), uint16_t(h), ~0u),
        nullptr);
    if (!image) return 1;
    const size_t hash = std::hash<std::string_view>()(
        std::string_view(reinterpret_cast<const char*>(xcb_get_image_data(image)), size_t(xcb_get_image_data_length(image))));
    free(image);
    ++samples;
    if (hash != last && samples > 1) changes.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    last = hash;
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
  std::vector<double> gaps;
  for (size_t i = 1; i < changes.size(); ++i) gaps.push_back(changes[i] - changes[i - 1]);
  std::sort(gaps.begin(), gaps.end());
  std::printf("samples/s %.1f  changes/s %.1f  median gap %.1f ms\n", samples / seconds, changes.size() / seconds,
              gaps.empty() ? 0.0 : gaps[gaps.size() / 2]);
  xcb_disconnect(c);
  return 0;
}
