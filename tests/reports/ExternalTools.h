#pragma once

#include <QImage>
#include <QString>
#include <QStringList>

namespace kalvero::test {

// The symbols zbarimg finds in a picture, as "TYPE:data" lines. Fails the
// test clearly when zbarimg is missing (package zbar-tools).
QStringList decodeBarcodes(const QImage &image);
QStringList decodeBarcodes(const QString &imagePath);

// The text of a PDF by pdftotext -layout (poppler-utils).
QString pdfText(const QString &pdfPath);
// What pdfinfo tells of a PDF (pages, page size).
QString pdfInfo(const QString &pdfPath);
// The pages of a PDF rendered to PNG files by pdftoppm; gives their paths.
QStringList pdfToPng(const QString &pdfPath, int dpi);

}  // namespace kalvero::test
