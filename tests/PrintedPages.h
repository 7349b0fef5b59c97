#pragma once
// What a print really puts on paper: the pages are printed into a PDF file, which
// pdftoppm (poppler-utils) rasterises at 96 dots per inch, one PNG a page; pdfimages lists
// the pictures embedded in it. Used by the printing tests of the owners and the windows.
#include <QDir>
#include <QImage>
#include <QPrinter>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <algorithm>
#include <cstdlib>
#include <vector>

namespace PrintedPages {

// Sets printer to write a PDF file at path.
inline void ToPdf(QPrinter* printer, const QString& path) {
  printer->setOutputFormat(QPrinter::PdfFormat);
  printer->setOutputFileName(path);
}

// Runs program with arguments; false when it could not run or failed. Its standard
// output goes to output.
inline bool Run(const QString& program, const QStringList& arguments, QString* output = nullptr) {
  QProcess process;
  process.start(program, arguments);
  if (!process.waitForFinished(120000) || process.exitStatus() != QProcess::NormalExit ||
      process.exitCode() != 0)
    return false;
  if (output) *output = QString::fromUtf8(process.readAllStandardOutput());
  return true;
}

// The pages of the PDF file at pdf as pictures at 96 dpi, first page first; empty when
// pdftoppm could not read it. The PNGs go into folder.
inline std::vector<QImage> Rasterise(const QString& pdf, const QString& folder) {
  const QString prefix = QDir(folder).filePath(QStringLiteral("page"));
  if (!Run(QStringLiteral("pdftoppm"),
           {QStringLiteral("-r"), QStringLiteral("96"), QStringLiteral("-png"), pdf, prefix}))
    return {};
  std::vector<QImage> pages;
  const QStringList names =
      QDir(folder).entryList({QStringLiteral("page-*.png")}, QDir::Files, QDir::Name);
  for (const QString& name : names)
    pages.push_back(QImage(QDir(folder).filePath(name)).convertToFormat(QImage::Format_RGB32));
  return pages;
}

// Width and height of every picture embedded in the PDF file, in the order pdfimages lists
// them.
inline std::vector<QSize> EmbeddedPictures(const QString& pdf) {
  std::vector<QSize> sizes;
  QString listing;
  Run(QStringLiteral("pdfimages"), {QStringLiteral("-list"), pdf}, &listing);
  // "page num type width height ...", a rule, then one line per picture.
  const QStringList lines = listing.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
  for (qsizetype i = 2; i < lines.size(); ++i) {
    const QStringList f = lines[i].split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (f.size() > 4) sizes.push_back(QSize(f[3].toInt(), f[4].toInt()));
  }
  return sizes;
}

// The smallest rectangle holding every pixel of page that is not white (any channel more
// than 16 below 255); null when the page is white.
inline QRect InkBounds(const QImage& page) {
  int left = page.width(), top = page.height(), right = -1, bottom = -1;
  for (int y = 0; y < page.height(); ++y) {
    const QRgb* row = reinterpret_cast<const QRgb*>(page.constScanLine(y));
    for (int x = 0; x < page.width(); ++x) {
      if (qRed(row[x]) >= 239 && qGreen(row[x]) >= 239 && qBlue(row[x]) >= 239) continue;
      left = std::min(left, x);
      right = std::max(right, x);
      top = std::min(top, y);
      bottom = std::max(bottom, y);
    }
  }
  return right < 0 ? QRect() : QRect(QPoint(left, top), QPoint(right, bottom));
}

// Colours within tolerance of each other on every channel (the PDF may hold the picture
// JPEG-compressed).
inline bool Near(QRgb a, QRgb b, int tolerance = 24) {
  return std::abs(qRed(a) - qRed(b)) <= tolerance && std::abs(qGreen(a) - qGreen(b)) <= tolerance &&
         std::abs(qBlue(a) - qBlue(b)) <= tolerance;
}

}  // namespace PrintedPages
