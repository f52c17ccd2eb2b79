#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <optional>
#include <string>

namespace doxa {

// What a certificate's PDF carries of its event.
struct CertificateMark {
    std::string eventId;
    std::string code;
};

// What the PDF/A-1b document describes itself as: its title, the program that made it, the
// library that wrote it and when, as its Info dictionary holds them too.
struct PdfDescription {
    QString title;
    QString creator;
    QString producer;
    QDateTime created;
};

// The XMP packet of a certificate's PDF/A-1b: the document's description, its PDF/A part and
// conformance, and the event's id and verification code under a schema of our own, which the
// packet declares as PDF/A requires of an extension.
QByteArray certificateXmp(const PdfDescription& document, const CertificateMark& mark);
// The mark read back from a PDF's bytes; none when it holds no such packet or a malformed one.
std::optional<CertificateMark> readCertificateMark(const QByteArray& pdf);

}  // namespace doxa
