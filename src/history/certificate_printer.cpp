#include "history/certificate_printer.h"

#include <QFontMetrics>
#include <QPagedPaintDevice>
#include <QPainter>
#include <algorithm>
#include <array>
#include <numeric>

#include "history/certificate.h"
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
    {"Punkt", &CertificateRow::point},
    {"Wzorzec", &CertificateRow::reference},
    {"Zastane", &CertificateRow::asFound},
    {"Różnica", &CertificateRow::foundDifference},
    {"Ocena", &CertificateRow::foundVerdict},
    {"Pozostawione", &CertificateRow::asLeft},
    {"Różnica", &CertificateRow::leftDifference},
    {"Ocena", &CertificateRow::leftVerdict},
}};

QString q(std::string_view utf8) { return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())); }

bool isVerdict(const Column& c) { return c.cell == &CertificateRow::foundVerdict || c.cell == &CertificateRow::leftVerdict; }

// The columns printed: the verdicts only under a tolerance.
std::vector<Column> columnsOf(const Certificate& c) {
    std::vector<Column> shown;
    std::ranges::copy_if(Columns, std::back_inserter(shown), [&c](const Column& col) { return c.judged || !isVerdict(col); });
    return shown;
}

class CertificatePage {
public:
    CertificatePage(QPainter& painter, const Certificate& certificate, QSize logical)
        : p_(painter), c_(certificate), width_(logical.width()), columns_(columnsOf(certificate)) {
        fitColumns();
    }

    int title(int page, int pages) {
        p_.setPen(Qt::black);
        p_.setFont(reportFont(480, 700));
        p_.drawText(QRect(0, 500, width_, 700), Qt::AlignCenter, q(CertificateTitle));
        p_.setFont(reportFont(220, 400));
        p_.drawText(QRect(Margin, 1200, width_ - 2 * Margin, 300), Qt::AlignRight | Qt::AlignVCenter,
                    QStringLiteral("Strona %1/%2").arg(page).arg(pages));
        rule(1550);
        return 1800;
    }

    int fields(int y) {
        p_.setFont(reportFont(260, 400));
        for (const CertificateField& f : c_.fields) {
            p_.drawText(QRect(Margin, y, 4200, LineHeight), Qt::AlignLeft | Qt::AlignVCenter, q(f.label) + ':');
            p_.drawText(QRect(Margin + 4200, y, width_ - 2 * Margin - 4200, LineHeight),
                        Qt::AlignLeft | Qt::AlignVCenter, q(f.value));
            y += LineHeight;
        }
        return y + 300;
    }

    int tableRow(int y, const CertificateRow* row) {
        p_.setFont(reportFont(fontSize_, row ? 400 : 700));
        p_.setPen(QPen(FrameColour, 10));
        p_.setBrush(Qt::NoBrush);
        int x = Margin;
        for (std::size_t i = 0; i < columns_.size(); ++i) {
            const Column& col = columns_[i];
            const int w = widths_[i];
            const QRect cell(x, y, w, RowHeight);
            p_.drawRect(cell);
            p_.setPen(Qt::black);
            const bool first = &col == &columns_.front();
            p_.drawText(cell.adjusted(CellPadding, 0, -CellPadding, 0), (first ? Qt::AlignLeft : Qt::AlignHCenter) | Qt::AlignVCenter,
                        q(row ? std::string_view(row->*col.cell) : col.heading));
            p_.setPen(QPen(FrameColour, 10));
            x += w;
        }
        p_.setPen(Qt::black);
        return y + RowHeight;
    }

    int notes(int y) {
        if (c_.notes.empty()) return y;
        p_.setFont(reportFont(240, 400));
        y += 200;
        p_.drawText(QRect(Margin, y, width_, LineHeight), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Uwagi:"));
        for (const std::string& note : c_.notes) {
            y += LineHeight;
            p_.drawText(QRect(Margin + 300, y, width_, LineHeight), Qt::AlignLeft | Qt::AlignVCenter, q(note));
        }
        return y + LineHeight;
    }

    void signature(int y) {
        p_.setFont(reportFont(240, 400));
        p_.drawText(QRect(width_ / 2, y + 1200, width_ / 2 - Margin, LineHeight), Qt::AlignLeft | Qt::AlignVCenter,
                    QStringLiteral("Podpis: ...................................."));
    }

    void footer() {
        rule(PageBottom - 200);
        p_.setFont(reportFont(200, 400));
        p_.drawText(QRect(Margin, PageBottom - 150, width_ - 2 * Margin, 300), Qt::AlignLeft | Qt::AlignVCenter,
                    q(ReportTitle));
    }

private:
    // Every column as wide as its widest text, the room left shared out evenly; a table wider
    // than the page gets a smaller font.
    void fitColumns() {
        const int tableWidth = width_ - 2 * Margin;
        const auto natural = [this](int size) {
            std::vector<int> widths;
            for (const Column& col : columns_) {
                int w = QFontMetrics(reportFont(size, 700)).horizontalAdvance(q(col.heading));
                for (const CertificateRow& row : c_.points)
                    w = std::max(w, QFontMetrics(reportFont(size, 400)).horizontalAdvance(q(row.*col.cell)));
                widths.push_back(w + 2 * CellPadding);
            }
            return widths;
        };
        widths_ = natural(fontSize_);
        int used = std::accumulate(widths_.begin(), widths_.end(), 0);
        while (used > tableWidth) {
            fontSize_ = fontSize_ * 19 / 20;
            widths_ = natural(fontSize_);
            used = std::accumulate(widths_.begin(), widths_.end(), 0);
        }
        const int spare = std::max(0, tableWidth - used) / static_cast<int>(widths_.size());
        for (int& w : widths_) w += spare;
    }

    void rule(int y) {
        p_.setPen(QPen(FrameColour, 10));
        p_.drawLine(Margin, y, width_ - Margin, y);
        p_.setPen(Qt::black);
    }

    QPainter& p_;
    const Certificate& c_;
    int width_;
    std::vector<Column> columns_;
    int fontSize_ = TableFont;
    std::vector<int> widths_;
};

// The test points each page holds: the first page below the fields, the second from its top;
// the notes and the signature need room below the last.
constexpr int fieldsBottom(std::size_t fields) { return 1800 + static_cast<int>(fields) * LineHeight + 300; }

std::vector<std::size_t> rowsPerPage(const Certificate& c) {
    const int spare = PageBottom - 1800 - static_cast<int>(c.notes.size() + 2) * LineHeight;
    const auto fits = [spare](int top) { return static_cast<std::size_t>(std::max(1, (spare - top) / RowHeight - 1)); };
    std::vector<std::size_t> pages{std::min(c.points.size(), fits(fieldsBottom(c.fields.size())))};
    for (std::size_t placed = pages.front(); placed < c.points.size(); placed += pages.back())
        pages.push_back(std::min(c.points.size() - placed, fits(1800)));
    return pages;
}

}  // namespace

void drawCertificate(QPainter& painter, QPagedPaintDevice& device, const Certificate& certificate) {
    const QSizeF physical = device.pageLayout().fullRectPoints().size();
    const std::vector<std::size_t> pages = rowsPerPage(certificate);
    std::size_t next = 0;
    for (std::size_t page = 0; page < pages.size(); ++page) {
        if (page > 0) device.newPage();
        painter.save();
        CertificatePage sheet(painter, certificate,
                              mapLogicalPage(painter, QSize(device.width(), device.height()),
                                             physical.width() < physical.height(), 10));
        int y = sheet.title(static_cast<int>(page + 1), static_cast<int>(pages.size()));
        if (page == 0) y = sheet.fields(y);
        y = sheet.tableRow(y, nullptr);
        for (std::size_t i = 0; i < pages[page]; ++i) y = sheet.tableRow(y, &certificate.points[next++]);
        if (page + 1 == pages.size()) sheet.signature(sheet.notes(y));
        sheet.footer();
        painter.restore();
    }
}

bool writeCertificatePdf(const QString& path, const Certificate& certificate) {
    return writePdf(path, q(CertificateTitle), [&certificate](QPainter& painter, QPagedPaintDevice& device) {
        drawCertificate(painter, device, certificate);
    });
}

void showCertificate(QWidget* parent, const Certificate& certificate) {
    const PageDrawing draw = [&certificate](QPainter& painter, QPagedPaintDevice& device) {
        drawCertificate(painter, device, certificate);
    };
    printPreview(parent, draw, [parent, &certificate, &draw] {
        exportPdf(parent, QString::fromStdString(certificate.fileName), q(CertificateTitle), draw);
    });
}

}  // namespace doxa
