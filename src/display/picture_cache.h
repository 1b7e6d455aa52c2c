#pragma once

#include <QHash>
#include <algorithm>
#include <functional>

// Pictures of text kept from frame to frame, whoever keeps the pixels (the
// program, or a window system). Some patterns change the text's size every
// tick and come back to the same sizes: pictures are kept while they are
// reused, and those the last frame did not use go once all of them outweigh
// twice what that frame used, or a floor if that is more. Entries of no
// weight (text drawn straight from the glyph cache) stay until the count
// limit empties the cache.
template <typename Key, typename Value>
class PictureCache {
 public:
  struct Made {
    Value value;
    qint64 bytes = 0;
  };

  // `release` is called for every value that leaves the cache.
  PictureCache(qint64 budgetFloor, qsizetype maxEntries, std::function<void(Value&)> release = {})
      : floor_(budgetFloor), maxEntries_(maxEntries), release_(std::move(release)) {}
  ~PictureCache() { clear(); }
  PictureCache(const PictureCache&) = delete;
  PictureCache& operator=(const PictureCache&) = delete;

  // Starts a frame: what it uses is counted anew.
  void beginFrame() {
    ++frame_;
    frameBytes_ = 0;
  }

  // The value for `key`, made by `make` (returning a Made) when missing;
  // counted as used by this frame.
  template <typename Make>
  Value& use(const Key& key, Make&& make) {
    auto it = slots_.find(key);
    if (it == slots_.end()) {
      if (slots_.size() >= maxEntries_) clear();
      Made made = make();
      bytes_ += made.bytes;
      it = slots_.insert(key, Slot{std::move(made.value), made.bytes, 0});
    }
    if (it->lastFrame != frame_) {
      it->lastFrame = frame_;
      frameBytes_ += it->bytes;
    }
    return it->value;
  }

  // Ends a frame: drops what it did not use when the cache outweighs its budget.
  void endFrame() {
    if (bytes_ <= std::max(2 * frameBytes_, floor_)) return;
    dropUnused(false);
  }

  // Drops everything the current frame did not use, weightless entries too.
  void dropUnused() { dropUnused(true); }

  void clear() {
    if (release_)
      for (Slot& slot : slots_) release_(slot.value);
    slots_.clear();
    bytes_ = 0;
  }

  qint64 bytes() const { return bytes_; }

 private:
  void dropUnused(bool weightlessToo) {
    for (auto it = slots_.begin(); it != slots_.end();) {
      if (it->lastFrame == frame_ || (it->bytes == 0 && !weightlessToo)) {
        ++it;
        continue;
      }
      bytes_ -= it->bytes;
      if (release_) release_(it->value);
      it = slots_.erase(it);
    }
  }

  struct Slot {
    Value value;
    qint64 bytes = 0;
    qint64 lastFrame = 0;
  };

  QHash<Key, Slot> slots_;
  qint64 floor_;
  qsizetype maxEntries_;
  std::function<void(Value&)> release_;
  qint64 bytes_ = 0;
  qint64 frame_ = 0;
  qint64 frameBytes_ = 0;
};
