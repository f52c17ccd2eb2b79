#pragma once

#include <QString>

#include "host/window_memory.h"

class QPainter;
class QPagedPaintDevice;
class QWidget;

namespace doxa {

struct Certificate;

// The calibration certificate on one page, or on two when its test points need them, drawn as
// the report is drawn.
void drawCertificate(QPainter& painter, QPagedPaintDevice& device, const Certificate& certificate);
// The certificate as a PDF file at `path`; false when the file cannot be written.
bool writeCertificatePdf(const QString& path, const Certificate& certificate);
// The print preview of the certificate, from which it is printed or exported to PDF in `folder`.
void showCertificate(QWidget* parent, const Certificate& certificate, RememberedFolder folder);

}  // namespace doxa
