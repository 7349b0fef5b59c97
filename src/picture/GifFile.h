#pragma once
// A GIF file checked before Qt decodes it. Qt's reader allocates the logical screen (or,
// when it disbelieves the screen, the first frame's extent) at 4 bytes per pixel, whatever
// the data; a file of a few dozen bytes can ask for a gigabyte. The scan walks the blocks
// (header, screen descriptor, colour tables, every frame descriptor and extension,
// skipping the compressed data sub-block by sub-block) in a fixed amount of memory.
#include <QSize>
#include <QString>

class QFile;

class GifFile {
 public:
  struct Info {
    bool isGif = false;  // false: not a GIF stream at all (no "GIF87a"/"GIF89a" header)
    QSize screen;        // the logical screen as the file states it
    QSize canvas;        // what Qt's reader allocates: the screen, or the first frame's extent
    int frames = 0;      // frame descriptors seen (up to maxFrames)
    // The memory playing the file takes at its peak: the canvas, the backing store of
    // "restore previous" frames and the frame the window shows, 4 bytes per pixel each.
    qint64 PeakBytes() const;
  };

  // Reads the file's blocks up to maxFrames frame descriptors (all of them when
  // maxFrames < 0). PictureError when the file is not a regular file or cannot be
  // afforded: a screen, canvas or frame extent of more than PictureLimits::MaxPixels, a
  // canvas far larger than the file's data could fill, or more memory than one picture
  // gets. A file that is not a GIF stream is not an error: isGif tells.
  static Info Scan(const QString& path, int maxFrames = -1);

  // Scan of every frame, then the file, still open, handed to file for QMovie: what is
  // played is what was checked.
  static Info Open(const QString& path, QFile& file);
};
