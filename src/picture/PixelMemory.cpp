#include "PixelMemory.h"

#include <sys/mman.h>

#include <cstdlib>
#include <memory>
#include <mutex>
#include <vector>

#include "PictureError.h"

namespace PixelMemory {

namespace {

constexpr size_t kHugePage = size_t(2) << 20;
// Below this, rounding up to whole huge pages would waste more than it saves.
constexpr size_t kLarge = size_t(4) << 20;
// Released buffers kept for the next picture of the same size: an edit replaces the
// picture by a filtered one of the same size again and again, and fresh memory costs
// as much as the filter itself (the system must clear every page first).
constexpr size_t kKeepBytes = size_t(256) << 20;
constexpr size_t kKeepCount = 2;

struct Buffer {
  void* memory;
  size_t bytes;
};

struct Pool {
  std::mutex mutex;
  std::vector<Buffer> kept;  // oldest first
  size_t keptBytes = 0;
};

Pool& ThePool() {
  static Pool* pool = new Pool;  // never destroyed: images may be released at exit
  return *pool;
}

void* TakeKept(size_t bytes) {
  Pool& pool = ThePool();
  std::lock_guard<std::mutex> lock(pool.mutex);
  for (auto it = pool.kept.begin(); it != pool.kept.end(); ++it) {
    if (it->bytes != bytes) continue;
    void* memory = it->memory;
    pool.keptBytes -= it->bytes;
    pool.kept.erase(it);
    return memory;
  }
  return nullptr;
}

// The cleanup of a large image; info is its heap-held Buffer.
void Release(void* info) {
  const Buffer buffer = *static_cast<Buffer*>(info);
  delete static_cast<Buffer*>(info);
  if (buffer.bytes > kKeepBytes) {
    std::free(buffer.memory);
    return;
  }
  Pool& pool = ThePool();
  std::lock_guard<std::mutex> lock(pool.mutex);
  while (!pool.kept.empty() &&
         (pool.kept.size() >= kKeepCount || pool.keptBytes + buffer.bytes > kKeepBytes)) {
    std::free(pool.kept.front().memory);
    pool.keptBytes -= pool.kept.front().bytes;
    pool.kept.erase(pool.kept.begin());
  }
  pool.kept.push_back(buffer);
  pool.keptBytes += buffer.bytes;
}

}  // namespace

QImage NewRgb32(int width, int height) {
  if (width <= 0 || height <= 0) return QImage();
  const size_t pixelBytes = size_t(width) * size_t(height) * 4;
  if (pixelBytes < kLarge) {
    QImage image(width, height, QImage::Format_RGB32);
    if (image.isNull()) throw PictureError("Not enough memory for the picture");
    return image;
  }
  const size_t bytes = (pixelBytes + kHugePage - 1) / kHugePage * kHugePage;
  auto buffer = std::make_unique<Buffer>(Buffer{TakeKept(bytes), bytes});
  if (!buffer->memory) {
    if (posix_memalign(&buffer->memory, kHugePage, bytes) != 0 || !buffer->memory)
      throw PictureError("Not enough memory for the picture");
#ifdef MADV_HUGEPAGE
    madvise(buffer->memory, bytes, MADV_HUGEPAGE);  // only a hint: fine if the system says no
#endif
  }
  auto* pixels = static_cast<uchar*>(buffer->memory);
  return QImage(pixels, width, height, qsizetype(width) * 4, QImage::Format_RGB32, &Release,
                buffer.release());
}

}  // namespace PixelMemory
