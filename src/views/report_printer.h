#pragma once

#include <QDate>
#include <QString>

class QPainter;
class QPagedPaintDevice;
class QWidget;

namespace doxa {

struct DeviceRecord;

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
void exportReportPdf(QWidget* parent, const DeviceRecord& device);

}  // namespace doxa
