#include "core/ui/printing.h"

#include <QBuffer>
#include <QDir>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPageSetupDialog>
#include <QPainter>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QRegularExpression>

#include <cmath>
#include <limits>

#include "core/file_io.h"
#include "platform/services.h"

namespace {

// Faces that stand in for the forms' face where the machine lacks it: the
// metric twins first, then any serif.
const QStringList kSerifFaces = {QString::fromLatin1(CPrintForm::kFace), QStringLiteral("Liberation Serif"),
                                 QStringLiteral("Nimbus Roman"), QStringLiteral("Tinos"),
                                 QStringLiteral("DejaVu Serif")};
const QStringList kFixedFaces = {QStringLiteral("Courier New"), QStringLiteral("Liberation Mono"),
                                 QStringLiteral("Nimbus Mono PS"), QStringLiteral("DejaVu Sans Mono")};

// A form font at `height` tenths of a millimetre of character cell (ascent and
// descent together), `scale` device pixels per tenth of a millimetre.
QFont FormQFont(FormFont kind, int height, double scale, QPaintDevice* device) {
    QFont font;
    if (kind == FormFont::Fixed) {
        font.setFamilies(kFixedFaces);
        font.setStyleHint(QFont::TypeWriter, QFont::PreferQuality);
        font.setFixedPitch(true);
    } else {
        font.setFamilies(kSerifFaces);
        font.setStyleHint(QFont::Serif, QFont::PreferQuality);
        font.setItalic(true);
        // Without the face or one of its metric twins, a serif's narrower cut
        // comes nearer its width.
        if (!kSerifFaces.mid(0, 4).contains(QFontInfo(font).family())) font.setStretch(QFont::SemiCondensed);
    }
    const bool bold = kind == FormFont::Title || kind == FormFont::Heading;
    font.setWeight(bold ? QFont::Bold : QFont::Normal);
    const double cell = std::max(1.0, height * scale);
    font.setPixelSize(std::max(1, static_cast<int>(std::lround(cell))));
    const double measured = QFontMetricsF(font, device).height();
    if (measured > 0) font.setPixelSize(std::max(1, static_cast<int>(std::lround(cell * cell / measured))));
    return font;
}

QString Q(const std::string& text) { return QString::fromStdString(text); }

// The x of the next text on the same line, or none: texts of one line are drawn one after another.
int NextColumn(const std::vector<CFormText>& texts, std::size_t i) {
    int next = std::numeric_limits<int>::max();
    for (std::size_t j = i + 1; j < texts.size() && texts[j].y == texts[i].y; ++j)
        if (texts[j].x > texts[i].x) next = std::min(next, texts[j].x);
    for (std::size_t j = i; j-- > 0 && texts[j].y == texts[i].y;)
        if (texts[j].x > texts[i].x) next = std::min(next, texts[j].x);
    return next;
}

void DrawPage(QPainter& painter, const CFormPage& page, double scale, const QFont (&fonts)[4], double pageWidth) {
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(Qt::black, std::max(1.0, 3 * scale))); // 0.3 mm
    for (const CFormRect& r : page.rects)
        painter.drawRect(QRectF(QPointF(r.left * scale, -r.top * scale), QPointF(r.right * scale, -r.bottom * scale)));
    int current = -1;
    double ascent = 0;
    for (std::size_t i = 0; i < page.texts.size(); ++i) {
        const CFormText& t = page.texts[i];
        const int kind = static_cast<int>(t.font);
        if (kind != current) {
            painter.setFont(fonts[kind]);
            ascent = painter.fontMetrics().ascent();
            current = kind;
        }
        const QString text = Q(t.text);
        const QPointF at(t.x * scale, -t.y * scale + ascent);
        // A face wider than the form's own would run into the next column: such
        // a text is narrowed to fit its column, 1 mm short of the next, or the page.
        const int next = NextColumn(page.texts, i);
        const double room = next == std::numeric_limits<int>::max() ? pageWidth - at.x() : (next - t.x - 10) * scale;
        const double width = room > 0.0 ? painter.fontMetrics().horizontalAdvance(text) : 0.0;
        if (room > 0.0 && width > room) {
            painter.save();
            painter.translate(at);
            painter.scale(room / width, 1.0);
            painter.drawText(QPointF(0, 0), text);
            painter.restore();
        } else {
            painter.drawText(at, text);
        }
    }
}

QString DefaultPdfPath(const std::string& documentName) {
    QString name = Q(documentName);
    name.replace(QRegularExpression(QStringLiteral("[/\\\\:*?\"<>|]")), QStringLiteral("_"));
    return QDir::current().absoluteFilePath((name.isEmpty() ? QStringLiteral("Keelmark Lite") : name) +
                                            QStringLiteral(".pdf"));
}

// With no printer set up, the printer writes a PDF file; the dialog still
// lets the user choose its name.
void PreparePrinter(QPrinter& printer, const std::string& documentName) {
    printer.setDocName(Q(documentName));
    if (printer.outputFormat() == QPrinter::NativeFormat && QPrinterInfo::availablePrinterNames().isEmpty())
        printer.setOutputFormat(QPrinter::PdfFormat);
    if (printer.outputFormat() == QPrinter::PdfFormat) printer.setOutputFileName(DefaultPdfPath(documentName));
}

bool PrintOn(QPrinter& printer, const FormBuilder& build) {
    if (DrawForm(printer, build(PrintableHeight(printer)))) return true;
    const QString where = printer.outputFormat() == QPrinter::PdfFormat
                              ? QStringLiteral("the file \"%1\"").arg(printer.outputFileName())
                              : QStringLiteral("the printer \"%1\"").arg(printer.printerName());
    services::Prompts().Show("Cannot print on " + where.toStdString() + ".", PromptIcon::Warning);
    return false;
}

} // namespace

QPrinter& SharedPrinter() {
    static QPrinter* printer = [] {
        auto* p = new QPrinter(QPrinter::HighResolution);
        p->setPageSize(QPageSize(QPageSize::A4));
        return p;
    }();
    return *printer;
}

int PrintableHeight(const QPagedPaintDevice& device) {
    return static_cast<int>(device.pageLayout().paintRect(QPageLayout::Millimeter).height() * 10.0);
}

bool DrawForm(QPagedPaintDevice& device, const CPrintForm& form) {
    QPainter painter;
    if (!painter.begin(&device)) return false;
    painter.setRenderHint(QPainter::Antialiasing);
    const double scale = device.logicalDpiY() / 254.0;
    const QFont fonts[4] = {FormQFont(FormFont::Title, CPrintForm::kTitleHeight, scale, &device),
                            FormQFont(FormFont::Body, form.bodyHeight, scale, &device),
                            FormQFont(FormFont::Heading, form.bodyHeight, scale, &device),
                            FormQFont(FormFont::Fixed, form.bodyHeight, scale, &device)};
    for (std::size_t i = 0; i < form.pages.size(); ++i) {
        if (i > 0 && !device.newPage()) return false;
        DrawPage(painter, form.pages[i], scale, fonts, painter.viewport().width());
    }
    return painter.end();
}

bool PrintFormToPdf(const FormBuilder& build, const std::string& path, std::string& error) {
    QByteArray bytes;
    {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter writer(&buffer);
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setPageMargins(QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter);
        writer.setResolution(600);
        writer.setCreator(QStringLiteral("Keelmark Lite"));
        const CPrintForm form = build(PrintableHeight(writer));
        writer.setTitle(Q(form.documentName));
        if (!DrawForm(writer, form)) {
            error = "Cannot write the PDF file \"" + path + "\": the page could not be drawn.";
            return false;
        }
    }
    return WriteFileAtomic(path, std::string(bytes.constData(), static_cast<std::size_t>(bytes.size())), error);
}

bool PrintFormWithDialog(QWidget* parent, const FormBuilder& build, const std::string& documentName) {
    QPrinter& printer = SharedPrinter();
    PreparePrinter(printer, documentName);
    QPrintDialog dialog(&printer, parent);
    dialog.setWindowTitle(QStringLiteral("Print"));
    if (dialog.exec() != QDialog::Accepted) return false;
    PrintOn(printer, build);
    return true;
}

void PreviewForm(QWidget* parent, const FormBuilder& build, const std::string& documentName) {
    QPrinter& printer = SharedPrinter();
    PreparePrinter(printer, documentName);
    QPrintPreviewDialog preview(&printer, parent);
    preview.setWindowTitle(QStringLiteral("Print Preview - ") + Q(documentName));
    QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &preview,
                     [&build](QPrinter* target) { PrintOn(*target, build); });
    preview.exec();
}

void PrintSetup(QWidget* parent) {
    QPageSetupDialog dialog(&SharedPrinter(), parent);
    dialog.exec();
}

bool PrintTextWithDialog(QWidget* parent, const std::string& title, const std::string& text) {
    return PrintFormWithDialog(
        parent, [&](int pageHeight) { return PlainTextForm(title, text, pageHeight); }, title);
}

void PreviewText(QWidget* parent, const std::string& title, const std::string& text) {
    PreviewForm(
        parent, [&](int pageHeight) { return PlainTextForm(title, text, pageHeight); }, title);
}

bool PrintTextToPdf(const std::string& title, const std::string& text, const std::string& path, std::string& error) {
    return PrintFormToPdf([&](int pageHeight) { return PlainTextForm(title, text, pageHeight); }, path, error);
}
