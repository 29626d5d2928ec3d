#include "core/print_form.h"

#include <utility>

CFormWriter::CFormWriter(std::string documentName, int bodyHeight, int pageHeight) : m_pageHeight(pageHeight) {
    m_form.documentName = std::move(documentName);
    m_form.bodyHeight = bodyHeight;
}

void CFormWriter::Head(std::vector<CFormRect> rects, std::vector<CFormText> texts, int cursorY) {
    m_headRects = std::move(rects);
    m_headTexts = std::move(texts);
    m_headNextY = cursorY;
    NewPage();
}

void CFormWriter::NewPage() {
    m_form.pages.push_back({m_headRects, m_headTexts});
    m_y = m_headNextY;
    m_pageHasLines = false;
}

void CFormWriter::Skip(int step) {
    if (m_form.pages.empty()) NewPage();
    m_y -= step;
}

void CFormWriter::Line(int step, std::vector<CFormText> texts) {
    if (m_form.pages.empty()) NewPage();
    int y = m_y - step;
    // A line that does not fit goes on a new page, unless the page holds no line
    // yet (it would not fit on any page, so it is put where it is).
    if (m_pageHeight > 0 && y - m_form.bodyHeight < -m_pageHeight && m_pageHasLines) {
        NewPage();
        y = m_y - step;
    }
    m_y = y;
    for (CFormText& t : texts) {
        t.y = y;
        m_form.pages.back().texts.push_back(std::move(t));
    }
    m_pageHasLines = true;
}

CPrintForm CFormWriter::Take() {
    if (m_form.pages.empty()) NewPage();
    return std::move(m_form);
}

std::vector<CFormRect> FormFrame() { return {{400, -200, 1700, -400}}; }

CFormText FormTitle(const std::string& title) { return {650, -250, title, FormFont::Title}; }

CPrintForm PlainTextForm(const std::string& title, const std::string& text, int pageHeight) {
    constexpr int kHeight = 40;
    CFormWriter writer(title, kHeight, pageHeight);
    writer.Head({}, {{200, -200, title, FormFont::Title}}, -300);
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        // The last line break ends the text: no empty line after it.
        if (end == text.size() && line.empty()) break;
        // A line longer than the page is wide goes on below, broken at a space where there is one.
        do {
            std::size_t cut = line.size();
            if (cut > kPlainTextColumns) {
                cut = line.rfind(' ', kPlainTextColumns);
                if (cut == std::string::npos || cut == 0) cut = kPlainTextColumns;
            }
            writer.Line(kHeight + kHeight / 4, {{200, 0, line.substr(0, cut), FormFont::Fixed}});
            line.erase(0, cut < line.size() && line[cut] == ' ' ? cut + 1 : cut);
        } while (!line.empty());
        start = end + 1;
    }
    return writer.Take();
}

std::string FormText(const CPrintForm& form) {
    std::string out;
    for (const CFormPage& page : form.pages) {
        for (const CFormText& t : page.texts)
            out += t.text + '\n';
        out += '\f';
    }
    return out;
}
