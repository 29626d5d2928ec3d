#pragma once

#include <cstddef>
#include <string>
#include <vector>

// A printed form as drawing instructions on pages, free of any printing
// device. Coordinates are in tenths of a millimetre from the top-left corner of
// the printable area, x to the right and y upwards, so every y on a page is
// negative; a text's (x, y) is the top-left corner of its line.

enum class FormFont {
    Title,   // the form's title and header lines: bold, 10 mm
    Body,    // the form's lines, at the form's body height
    Heading, // a section heading: the body height, bold
    Fixed,   // plain text of fixed pitch (a report's lines), at the body height
};

struct CFormText {
    int x = 0;
    int y = 0;
    std::string text;
    FormFont font = FormFont::Body;
};

struct CFormRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

struct CFormPage {
    std::vector<CFormRect> rects;
    std::vector<CFormText> texts;
};

struct CPrintForm {
    static constexpr int kTitleHeight = 100;
    static constexpr int kTitleWeight = 700;
    static constexpr int kBodyWeight = 400;
    // Every text is in this face, italic; the printer falls back to a serif
    // italic the machine has.
    static constexpr const char* kFace = "Times New Roman";

    std::string documentName; // what the print queue and a PDF call it
    int bodyHeight = 70;      // font height of the body lines
    std::vector<CFormPage> pages;
};

// Lays a form out line by line, starting a new page when a line would run
// below the page's printable height. A new page begins with the page head
// (frame, title, header lines, column heads) that `Head` set.
class CFormWriter {
public:
    // `pageHeight`: the printable height in tenths of a millimetre (0: no limit).
    CFormWriter(std::string documentName, int bodyHeight, int pageHeight);

    // What every page of the form starts with; the page head is drawn on the
    // first page at once and on each page that follows. `nextY` is where the
    // first line below the head goes.
    void Head(std::vector<CFormRect> rects, std::vector<CFormText> texts, int nextY);

    int Y() const { return m_y; }
    int BodyHeight() const { return m_form.bodyHeight; }
    // Moves down `step` and writes the texts of one line there (each text's y
    // is ignored); breaks the page first when the line would not fit.
    void Line(int step, std::vector<CFormText> texts);
    // Moves down without writing; a step past the page's bottom breaks the page.
    void Skip(int step);

    CPrintForm Take();

private:
    void NewPage();

    CPrintForm m_form;
    int m_pageHeight = 0;
    std::vector<CFormRect> m_headRects;
    std::vector<CFormText> m_headTexts;
    int m_headNextY = 0;
    int m_y = 0;
    bool m_pageHasLines = false;
};

// The common frame of the bridge forms: the rectangle (400,-200)-(1700,-400)
// and the title in the title font at (650,-250).
std::vector<CFormRect> FormFrame();
CFormText FormTitle(const std::string& title);

// A plain text (a report, a message) on pages: the title at the top of each
// page, then the lines in fixed pitch, a line longer than `kPlainTextColumns`
// characters broken over the next ones.
inline constexpr std::size_t kPlainTextColumns = 80;
CPrintForm PlainTextForm(const std::string& title, const std::string& text, int pageHeight);

// Every text of the form, page by page in drawing order (for checks and tests).
std::string FormText(const CPrintForm& form);

// The printable height of an A4 page with the usual margins, for forms laid out
// without a device.
inline constexpr int kA4PrintableHeight = 2770;
