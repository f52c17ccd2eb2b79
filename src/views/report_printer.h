#pragma once

#include <QDate>
#include <QFont>
#include <QString>
#include <functional>

#include "host/window_memory.h"

class QPainter;
class QPagedPaintDevice;
class QWidget;

namespace doxa {

struct DeviceRecord;

// The printed pages of the program (the report, the calibration certificate) are drawn on a
// logical page of 12000 x 18000 units (18000 x 12000 in landscape) mapped onto `tenths` tenths
// of the printable area `pageSize` (the report takes nine, from the top left corner); the
// painter is left mapped so. Returns the logical page.
QSize mapLogicalPage(QPainter& painter, QSize pageSize, bool portrait, int tenths = 9);
// Their serif face, `height` logical units high.
QFont reportFont(int height, int weight);

// A document's pages drawn on a printer or PDF writer; the drawing starts every page after the
// first itself (QPagedPaintDevice::newPage()).
using PageDrawing = std::function<void(QPainter& painter, QPagedPaintDevice& device)>;
bool drawPages(QPagedPaintDevice& device, const PageDrawing& draw);
// The pages as an A4 PDF file at `path`; false when the file cannot be written.
bool writePdf(const QString& path, const QString& title, const PageDrawing& draw);
// The print preview, from which the print dialog prints; with `exportPdf`, its toolbar offers
// "Eksport do PDF" as well.
void printPreview(QWidget* parent, const PageDrawing& draw, const std::function<void()>& exportPdf = {});
// "Eksport do PDF": asks for a file name, suggesting one in `folder`, and writes the pages there.
void exportPdf(QWidget* parent, RememberedFolder folder, const QString& suggested,
               const QString& title, const PageDrawing& draw);
// The same, the file written by `write` (false: it could not be).
void exportPdf(QWidget* parent, RememberedFolder folder, const QString& suggested,
               const std::function<bool(const QString&)>& write);

// Draws the one-page configuration report on a page: the logical page of 12000 x 18000 units
// (18000 x 12000 in landscape) mapped onto nine tenths of the printable area `pageSize`.
// Printing, the print preview and the PDF export all draw through here.
void drawReport(QPainter& painter, QSize pageSize, bool portrait, const DeviceRecord& device,
                const QDate& date);
// Draws the report on a printer or PDF writer, which it opens a painter on.
bool drawReport(QPagedPaintDevice& device, const DeviceRecord& record, const QDate& date);

// The report as a PDF file at `path`; false when the file cannot be written.
bool writeReportPdf(const QString& path, const DeviceRecord& device, const QDate& date = QDate::currentDate());

// "Drukuj": the print preview, from which the print dialog prints.
void printReport(QWidget* parent, const DeviceRecord& device);
// "Eksport do PDF": asks for a file name and writes the report there.
void exportReportPdf(QWidget* parent, const DeviceRecord& device, RememberedFolder folder);

}  // namespace doxa
