#include "history/certificate_printer.h"

#include <QFontMetrics>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <algorithm>
#include <array>
#include <numeric>

#include "link/screen_text.h"
#include "history/certificate.h"
#include "history/certificate_metadata.h"
#include "settings/shown_language.h"
#include "views/report.h"
#include "views/report_printer.h"

namespace doxa {

namespace {

constexpr int Margin = 800;
constexpr int LineHeight = 380;
constexpr int RowHeight = 420;
constexpr int PageBottom = 17000;
constexpr QColor FrameColour{128, 0, 0};

constexpr int TableFont = 220;
constexpr int CellPadding = 80;

struct Column {
    std::string_view heading;
    std::string CertificateRow::*cell;
};
constexpr std::array<Column, 8> Columns = {{
    {UI_TEXT("Punkt"), &CertificateRow::point},
    {UI_TEXT("Wzorzec"), &CertificateRow::reference},
    {UI_TEXT("Zastane"), &CertificateRow::asFound},
    {UI_TEXT("Różnica"), &CertificateRow::foundDifference},
    {UI_TEXT("Ocena"), &CertificateRow::foundVerdict},
    {UI_TEXT("Pozostawione"), &CertificateRow::asLeft},
    {UI_TEXT("Różnica"), &CertificateRow::leftDifference},
    {UI_TEXT("Ocena"), &CertificateRow::leftVerdict},
}};

QString q(std::string_view utf8) { return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())); }

bool isVerdict(const Column& c) { return c.cell == &CertificateRow::foundVerdict || c.cell == &CertificateRow::leftVerdict; }

// A session's points as the one table it prints: the verdicts only under a tolerance.
CertificateTable sessionTable(const Certificate& c) {
    CertificateTable table;
    std::vector<Column> shown;
    std::ranges::copy_if(Columns, std::back_inserter(shown), [&c](const Column& col) { return c.judged || !isVerdict(col); });
    for (const Column& col : shown) table.headings.emplace_back(col.heading);
    for (const CertificateRow& row : c.points) {
        std::vector<std::string> cells;
        for (const Column& col : shown) cells.push_back(row.*col.cell);
        table.rows.push_back(std::move(cells));
    }
    return table;
}

std::vector<CertificateTable> tablesOf(const Certificate& c) {
    return c.tables.empty() ? std::vector<CertificateTable>{sessionTable(c)} : c.tables;
}

void translate(std::vector<std::string>& texts) {
    for (std::string& text : texts) text = shownText(text);
}

// The certificate in the language chosen: what it says, never what it certifies (its id and code).
Certificate shownCertificate(Certificate c) {
    c.tables = tablesOf(c);
    for (CertificateTable& table : c.tables) {
        table.title = shownText(table.title);
        translate(table.headings);
        for (std::vector<std::string>& row : table.rows) translate(row);
    }
    for (CertificateField& field : c.fields) {
        field.label = shownText(field.label);
        field.value = shownText(field.value);
    }
    translate(c.notes);
    return c;
}

// What a page holds, top to bottom: the fields, a table's title, its heading, one of its rows,
// and at the end the notes and the signature.
struct Item {
    enum Kind { Fields, Title, Heading, Row, Closing } kind;
    std::size_t table = 0;
    std::size_t row = 0;
};
using Page = std::vector<Item>;

constexpr int PageTop = 1800;
// The logical page is this wide in portrait, which the certificate always is.
constexpr int PageWidth = 12000;
constexpr int SignatureRoom = 1200 + LineHeight;

int heightOf(const Item& item, const Certificate& c) {
    switch (item.kind) {
        case Item::Fields: return static_cast<int>(c.fields.size()) * LineHeight + 300;
        case Item::Title: return LineHeight + 100;
        case Item::Heading:
        case Item::Row: return RowHeight;
        case Item::Closing:
            return (c.notes.empty() ? 0 : 200 + static_cast<int>(c.notes.size() + 1) * LineHeight) + SignatureRoom;
    }
    return 0;
}

// The items shared out over pages; a table going on to the next page repeats its heading there.
std::vector<Page> layOut(const Certificate& c, const std::vector<CertificateTable>& tables) {
    std::vector<Page> pages(1);
    int y = PageTop;
    const auto place = [&](const Item& item) {
        const int height = heightOf(item, c);
        if (y + height > PageBottom - 300 && !pages.back().empty()) {
            pages.emplace_back();
            y = PageTop;
            if (item.kind == Item::Row) {
                pages.back().push_back({Item::Heading, item.table});
                y += RowHeight;
            }
        }
        pages.back().push_back(item);
        y += height;
    };
    place({Item::Fields});
    for (std::size_t t = 0; t < tables.size(); ++t) {
        if (!tables[t].title.empty()) place({Item::Title, t});
        place({Item::Heading, t});
        for (std::size_t r = 0; r < tables[t].rows.size(); ++r) place({Item::Row, t, r});
    }
    place({Item::Closing});
    return pages;
}

// Every column as wide as its widest text, the room left shared out evenly; a table wider than
// the page gets a smaller font.
struct TableFit {
    int fontSize = TableFont;
    std::vector<int> widths;
};

TableFit fitColumns(const CertificateTable& table, int tableWidth) {
    const auto natural = [&table](int size) {
        std::vector<int> widths;
        for (std::size_t i = 0; i < table.headings.size(); ++i) {
            int w = QFontMetrics(reportFont(size, 700)).horizontalAdvance(q(table.headings[i]));
            for (const auto& row : table.rows)
                if (i < row.size()) w = std::max(w, QFontMetrics(reportFont(size, 400)).horizontalAdvance(q(row[i])));
            widths.push_back(w + 2 * CellPadding);
        }
        return widths;
    };
    TableFit fit{TableFont, natural(TableFont)};
    while (std::accumulate(fit.widths.begin(), fit.widths.end(), 0) > tableWidth && fit.fontSize > 60) {
        fit.fontSize = fit.fontSize * 19 / 20;
        fit.widths = natural(fit.fontSize);
    }
    const int used = std::accumulate(fit.widths.begin(), fit.widths.end(), 0);
    const int spare = std::max(0, tableWidth - used) / static_cast<int>(std::max<std::size_t>(1, fit.widths.size()));
    for (int& w : fit.widths) w += spare;
    return fit;
}

class CertificatePage {
public:
    CertificatePage(QPainter& painter, const Certificate& certificate, const std::vector<CertificateTable>& tables,
                    const std::vector<TableFit>& fits, QSize logical)
        : p_(painter), c_(certificate), tables_(tables), fits_(fits), width_(logical.width()) {}

    int title(int page, int pages) {
        p_.setPen(Qt::black);
        p_.setFont(reportFont(480, 700));
        p_.drawText(QRect(0, 500, width_, 700), Qt::AlignCenter, q(shownText(CertificateTitle)));
        p_.setFont(reportFont(220, 400));
        p_.drawText(QRect(Margin, 1200, width_ - 2 * Margin, 300), Qt::AlignRight | Qt::AlignVCenter,
                    q(shownText(UI_TEXT("Strona %1/%2"))).arg(page).arg(pages));
        rule(1550);
        return PageTop;
    }

    int draw(const Item& item, int y) {
        switch (item.kind) {
            case Item::Fields: return fields(y);
            case Item::Title: return tableTitle(y, tables_[item.table].title);
            case Item::Heading: return tableRow(y, item.table, tables_[item.table].headings, true);
            case Item::Row: return tableRow(y, item.table, tables_[item.table].rows[item.row], false);
            case Item::Closing: signature(notes(y)); return y;
        }
        return y;
    }

    void footer() {
        rule(PageBottom - 200);
        p_.setFont(reportFont(200, 400));
        p_.drawText(QRect(Margin, PageBottom - 150, width_ - 2 * Margin, 300), Qt::AlignLeft | Qt::AlignVCenter,
                    q(ReportTitle));
    }

private:
    // A value too long for its line is set smaller rather than cut.
    // The values start past the widest label; a value too long for its line is set smaller
    // rather than cut.
    int fields(int y) {
        const QFontMetrics labels(reportFont(260, 400));
        int labelWidth = 0;
        for (const CertificateField& f : c_.fields) labelWidth = std::max(labelWidth, labels.horizontalAdvance(q(f.label) + ':'));
        labelWidth += 300;
        const int valueWidth = width_ - 2 * Margin - labelWidth;
        for (const CertificateField& f : c_.fields) {
            p_.setFont(reportFont(260, 400));
            p_.drawText(QRect(Margin, y, labelWidth, LineHeight), Qt::AlignLeft | Qt::AlignVCenter, q(f.label) + ':');
            int size = 260;
            while (size > 120 && QFontMetrics(reportFont(size, 400)).horizontalAdvance(q(f.value)) > valueWidth)
                size = size * 19 / 20;
            p_.setFont(reportFont(size, 400));
            p_.drawText(QRect(Margin + labelWidth, y, valueWidth, LineHeight), Qt::AlignLeft | Qt::AlignVCenter, q(f.value));
            y += LineHeight;
        }
        return y + 300;
    }

    int tableTitle(int y, const std::string& text) {
        p_.setFont(reportFont(260, 700));
        p_.drawText(QRect(Margin, y, width_ - 2 * Margin, LineHeight), Qt::AlignLeft | Qt::AlignVCenter, q(text));
        return y + LineHeight + 100;
    }

    int tableRow(int y, std::size_t table, const std::vector<std::string>& cells, bool heading) {
        const TableFit& fit = fits_[table];
        p_.setFont(reportFont(fit.fontSize, heading ? 700 : 400));
        p_.setBrush(Qt::NoBrush);
        int x = Margin;
        for (std::size_t i = 0; i < fit.widths.size(); ++i) {
            const QRect cell(x, y, fit.widths[i], RowHeight);
            p_.setPen(QPen(FrameColour, 10));
            p_.drawRect(cell);
            p_.setPen(Qt::black);
            p_.drawText(cell.adjusted(CellPadding, 0, -CellPadding, 0),
                        (i == 0 ? Qt::AlignLeft : Qt::AlignHCenter) | Qt::AlignVCenter,
                        i < cells.size() ? q(cells[i]) : QString());
            x += fit.widths[i];
        }
        return y + RowHeight;
    }

    int notes(int y) {
        if (c_.notes.empty()) return y;
        p_.setFont(reportFont(240, 400));
        y += 200;
        p_.drawText(QRect(Margin, y, width_, LineHeight), Qt::AlignLeft | Qt::AlignVCenter, q(shownText(UI_TEXT("Uwagi:"))));
        for (const std::string& note : c_.notes) {
            y += LineHeight;
            p_.drawText(QRect(Margin + 300, y, width_, LineHeight), Qt::AlignLeft | Qt::AlignVCenter, q(note));
        }
        return y + LineHeight;
    }

    void signature(int y) {
        p_.setFont(reportFont(240, 400));
        p_.drawText(QRect(width_ / 2, y + 1200, width_ / 2 - Margin, LineHeight), Qt::AlignLeft | Qt::AlignVCenter,
                    q(shownText(UI_TEXT("Podpis: ...................................."))));
    }

    void rule(int y) {
        p_.setPen(QPen(FrameColour, 10));
        p_.drawLine(Margin, y, width_ - Margin, y);
        p_.setPen(Qt::black);
    }

    QPainter& p_;
    const Certificate& c_;
    const std::vector<CertificateTable>& tables_;
    const std::vector<TableFit>& fits_;
    int width_;
};

}  // namespace

void drawCertificate(QPainter& painter, QPagedPaintDevice& device, const Certificate& polish) {
    const QSizeF physical = device.pageLayout().fullRectPoints().size();
    const Certificate certificate = shownCertificate(polish);
    const std::vector<CertificateTable>& tables = certificate.tables;
    const std::vector<Page> pages = layOut(certificate, tables);
    std::vector<TableFit> fits;
    for (const CertificateTable& table : tables) fits.push_back(fitColumns(table, PageWidth - 2 * Margin));
    for (std::size_t page = 0; page < pages.size(); ++page) {
        if (page > 0) device.newPage();
        painter.save();
        CertificatePage sheet(painter, certificate, tables, fits,
                              mapLogicalPage(painter, QSize(device.width(), device.height()),
                                             physical.width() < physical.height(), 10));
        int y = sheet.title(static_cast<int>(page + 1), static_cast<int>(pages.size()));
        for (const Item& item : pages[page]) y = sheet.draw(item, y);
        sheet.footer();
        painter.restore();
    }
}

// PDF/A-1b, so that an archive keeps it readable: every font embedded, nothing transparent, and
// the event's id and verification code in its XMP metadata.
bool writeCertificatePdf(const QString& path, const Certificate& certificate) {
    QPdfWriter writer(path);
    writer.setPdfVersion(QPagedPaintDevice::PdfVersion_A1b);
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setPageOrientation(QPageLayout::Portrait);
    const PdfDescription description{q(shownText(CertificateTitle)), QStringLiteral("DOXA WIN"),
                                     QStringLiteral("Qt " QT_VERSION_STR), QDateTime::currentDateTime()};
    writer.setTitle(description.title);
    writer.setCreator(description.creator);
    writer.setDocumentXmpMetadata(certificateXmp(description, {certificate.eventId, certificate.verificationCode}));
    return drawPages(writer, [&certificate](QPainter& painter, QPagedPaintDevice& device) {
        drawCertificate(painter, device, certificate);
    });
}

void showCertificate(QWidget* parent, const Certificate& certificate, RememberedFolder folder) {
    const PageDrawing draw = [&certificate](QPainter& painter, QPagedPaintDevice& device) {
        drawCertificate(painter, device, certificate);
    };
    printPreview(parent, draw, [parent, &certificate, folder] {
        exportPdf(
            parent, folder, QString::fromStdString(certificate.fileName),
            [&certificate](const QString& path) { return writeCertificatePdf(path, certificate); });
    });
}

}  // namespace doxa
