#include "history/certificate_metadata.h"

#include <algorithm>
#include <cctype>

namespace doxa {

namespace {

constexpr char MarkNamespace[] = "urn:doxa-win:certificate:1/";

QString xmpDate(const QDateTime& time) {
    const int offset = time.offsetFromUtc();
    const QString zone = offset == 0 ? QStringLiteral("Z")
                                     : QString::asprintf("%c%02d:%02d", offset < 0 ? '-' : '+',
                                                         std::abs(offset) / 3600, std::abs(offset) / 60 % 60);
    return time.toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss")) + zone;
}

QString escaped(const std::string& text) { return QString::fromStdString(text).toHtmlEscaped(); }

std::string between(const QByteArray& pdf, const QByteArray& open, const QByteArray& close) {
    const qsizetype start = pdf.indexOf(open);
    if (start < 0) return {};
    const qsizetype end = pdf.indexOf(close, start + open.size());
    if (end < 0) return {};
    return pdf.mid(start + open.size(), end - start - open.size()).toStdString();
}

bool hexOfLength(const std::string& text, std::size_t length) {
    return text.size() == length &&
           std::ranges::all_of(text, [](char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'); });
}

}  // namespace

QByteArray certificateXmp(const PdfDescription& d, const CertificateMark& mark) {
    const QString ns = QString::fromLatin1(MarkNamespace);
    const QString property = QStringLiteral(
        "<rdf:li rdf:parseType=\"Resource\"><pdfaProperty:name>%1</pdfaProperty:name>"
        "<pdfaProperty:valueType>Text</pdfaProperty:valueType><pdfaProperty:category>external</pdfaProperty:category>"
        "<pdfaProperty:description>%2</pdfaProperty:description></rdf:li>\n");
    QString xmp = QStringLiteral(
        "<?xpacket begin=\"\xEF\xBB\xBF\" id=\"W5M0MpCehiHzreSzNTczkc9d\"?>\n"
        "<x:xmpmeta xmlns:x=\"adobe:ns:meta/\">\n<rdf:RDF xmlns:rdf=\"http://www.w3.org/1999/02/22-rdf-syntax-ns#\">\n"
        "<rdf:Description rdf:about=\"\" xmlns:dc=\"http://purl.org/dc/elements/1.1/\">"
        "<dc:title><rdf:Alt><rdf:li xml:lang=\"x-default\">%1</rdf:li></rdf:Alt></dc:title></rdf:Description>\n"
        "<rdf:Description rdf:about=\"\" xmlns:pdf=\"http://ns.adobe.com/pdf/1.3/\">"
        "<pdf:Producer>%2</pdf:Producer></rdf:Description>\n"
        "<rdf:Description rdf:about=\"\" xmlns:xmp=\"http://ns.adobe.com/xap/1.0/\">"
        "<xmp:CreatorTool>%3</xmp:CreatorTool><xmp:CreateDate>%4</xmp:CreateDate></rdf:Description>\n"
        "<rdf:Description rdf:about=\"\" xmlns:pdfaid=\"http://www.aiim.org/pdfa/ns/id/\">"
        "<pdfaid:part>1</pdfaid:part><pdfaid:conformance>B</pdfaid:conformance></rdf:Description>\n"
        "<rdf:Description rdf:about=\"\" xmlns:pdfaExtension=\"http://www.aiim.org/pdfa/ns/extension/\" "
        "xmlns:pdfaSchema=\"http://www.aiim.org/pdfa/ns/schema#\" xmlns:pdfaProperty=\"http://www.aiim.org/pdfa/ns/property#\">"
        "<pdfaExtension:schemas><rdf:Bag><rdf:li rdf:parseType=\"Resource\">"
        "<pdfaSchema:schema>Calibration certificate</pdfaSchema:schema>"
        "<pdfaSchema:namespaceURI>%5</pdfaSchema:namespaceURI><pdfaSchema:prefix>doxa</pdfaSchema:prefix>"
        "<pdfaSchema:property><rdf:Seq>\n")
                      .arg(d.title.toHtmlEscaped(), d.producer.toHtmlEscaped(), d.creator.toHtmlEscaped(),
                           xmpDate(d.created), ns);
    xmp += property.arg(QStringLiteral("eventId"), QStringLiteral("The calibration event certified"));
    xmp += property.arg(QStringLiteral("verificationCode"),
                        QStringLiteral("SHA-256 of the stored event's canonical text"));
    xmp += QStringLiteral(
               "</rdf:Seq></pdfaSchema:property></rdf:li></rdf:Bag></pdfaExtension:schemas></rdf:Description>\n"
               "<rdf:Description rdf:about=\"\" xmlns:doxa=\"%1\">"
               "<doxa:eventId>%2</doxa:eventId><doxa:verificationCode>%3</doxa:verificationCode></rdf:Description>\n"
               "</rdf:RDF>\n</x:xmpmeta>\n<?xpacket end=\"w\"?>")
               .arg(ns, escaped(mark.eventId), escaped(mark.code));
    return xmp.toUtf8();
}

std::optional<CertificateMark> readCertificateMark(const QByteArray& pdf) {
    CertificateMark mark{between(pdf, "<doxa:eventId>", "</doxa:eventId>"),
                         between(pdf, "<doxa:verificationCode>", "</doxa:verificationCode>")};
    if (mark.eventId.empty() || mark.eventId.size() > 64 || !hexOfLength(mark.code, 64)) return std::nullopt;
    if (!std::ranges::all_of(mark.eventId, [](char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '-'; }))
        return std::nullopt;
    return mark;
}

}  // namespace doxa
