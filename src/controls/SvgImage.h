#pragma once
// Renders an SVG resource into a picture of the given size.
#include <QImage>
#include <QSize>
#include <QString>

QImage RenderSvg(const QString& resource, QSize size);
