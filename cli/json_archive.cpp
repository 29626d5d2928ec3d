#include "cli/json_archive.h"

#include <bit>
#include <charconv>
#include <cmath>
#include <limits>
#include <nlohmann/json.hpp>
#include <set>

#include "core/text_encoding.h"

using Json = nlohmann::ordered_json;

struct CJsonInArchive::Impl {
    Json root;
    struct Frame {
        const Json* value;
        std::string path;
        std::size_t next = 0;       // next item, for arrays
        std::set<std::string> read; // keys read, for objects
    };
    std::vector<Frame> stack;

    [[noreturn]] void Fail(const std::string& what) const { throw CArchiveException(what); }

    std::string PathOf(const char* name) const {
        const std::string& base = stack.back().path;
        return base.empty() ? std::string(name) : base + "." + name;
    }

    const Json& Member(const char* name) {
        const Json& object = *stack.back().value;
        auto it = object.find(name);
        if (it == object.end()) Fail("missing key \"" + PathOf(name) + "\"");
        stack.back().read.insert(name);
        return *it;
    }

    // A key that no record field reads would be dropped without a word.
    void CheckAllRead() const {
        const Frame& frame = stack.back();
        if (frame.read.size() == frame.value->size()) return;
        for (const auto& [key, value] : frame.value->items())
            if (!frame.read.count(key)) Fail("unknown key " + Quoted(PathOf(key.c_str())));
    }

    std::int64_t Integer(const char* name, std::int64_t lo, std::int64_t hi) {
        const Json& v = Member(name);
        std::int64_t n = 0;
        if (v.is_number_integer()) {
            if (v.is_number_unsigned() && v.get<std::uint64_t>() > static_cast<std::uint64_t>(hi))
                Fail("\"" + PathOf(name) + "\" is out of range (" + std::to_string(lo) + " to " + std::to_string(hi) +
                     ")");
            n = v.is_number_unsigned() ? static_cast<std::int64_t>(v.get<std::uint64_t>()) : v.get<std::int64_t>();
        } else if (v.is_number_float() && std::trunc(v.get<double>()) == v.get<double>() &&
                   std::fabs(v.get<double>()) < 9.0e18) {
            n = static_cast<std::int64_t>(v.get<double>());
        } else {
            Fail("\"" + PathOf(name) + "\" must be a whole number");
        }
        if (n < lo || n > hi)
            Fail("\"" + PathOf(name) + "\" is out of range (" + std::to_string(lo) + " to " + std::to_string(hi) + ")");
        return n;
    }
};

CJsonInArchive::CJsonInArchive(const std::string& text) : m_impl(std::make_unique<Impl>()) {
    // A key given twice would let one of its values win unseen.
    std::vector<std::set<std::string>> keys;
    const auto refuseDuplicates = [&keys](int, Json::parse_event_t event, Json& parsed) {
        if (event == Json::parse_event_t::object_start) {
            keys.emplace_back();
        } else if (event == Json::parse_event_t::object_end) {
            keys.pop_back();
        } else if (event == Json::parse_event_t::key && !keys.back().insert(parsed.get<std::string>()).second) {
            throw CArchiveException("duplicate key " + Quoted(parsed.get<std::string>()));
        }
        return true;
    };
    // The parser takes a NUL byte for the end of the text and would not see what follows it.
    if (const std::size_t nul = text.find('\0'); nul != std::string::npos)
        throw CArchiveException("invalid JSON: a NUL byte at byte " + std::to_string(nul));
    try {
        m_impl->root = Json::parse(text, refuseDuplicates);
    } catch (const Json::exception& e) { // a syntax fault, or a number too large for a double
        throw CArchiveException(std::string("invalid JSON: ") + e.what());
    }
    if (!m_impl->root.is_object()) throw CArchiveException("invalid JSON: the document must be an object");
    m_impl->stack.push_back({&m_impl->root, "", 0, {}});
}

CJsonInArchive::~CJsonInArchive() = default;

void CJsonInArchive::Long(const char* name, std::int32_t& value) {
    value = static_cast<std::int32_t>(
        m_impl->Integer(name, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
}

void CJsonInArchive::Dword(const char* name, std::uint32_t& value) {
    value = static_cast<std::uint32_t>(m_impl->Integer(name, 0, 0xFFFFFFFFLL));
}

void CJsonInArchive::Time(const char* name, CTime& value) { value = CTime(m_impl->Integer(name, 0, 0xFFFFFFFFLL)); }

void CJsonInArchive::Double(const char* name, double& value) {
    const Json& v = m_impl->Member(name);
    if (v.is_number()) {
        value = v.get<double>();
    } else if (v.is_string() && v.get<std::string>() == "NaN") {
        value = std::numeric_limits<double>::quiet_NaN();
    } else if (v.is_string() && v.get<std::string>() == "Infinity") {
        value = std::numeric_limits<double>::infinity();
    } else if (v.is_string() && v.get<std::string>() == "-Infinity") {
        value = -std::numeric_limits<double>::infinity();
    } else if (v.is_string() && v.get<std::string>().starts_with("NaN:0x")) {
        const std::string& text = v.get_ref<const std::string&>();
        std::uint64_t bits = 0;
        const char* digits = text.data() + 6;
        const auto [end, ec] = std::from_chars(digits, text.data() + text.size(), bits, 16);
        if (ec != std::errc() || end != text.data() + text.size() || end - digits != 16 ||
            !std::isnan(std::bit_cast<double>(bits)))
            m_impl->Fail("\"" + m_impl->PathOf(name) + "\" must be \"NaN:0x\" and the 16 hexadecimal digits of a NaN");
        value = std::bit_cast<double>(bits);
    } else {
        m_impl->Fail("\"" + m_impl->PathOf(name) + "\" must be a number");
    }
}

void CJsonInArchive::String(const char* name, std::string& value) {
    const Json& v = m_impl->Member(name);
    if (!v.is_string()) m_impl->Fail("\"" + m_impl->PathOf(name) + "\" must be a string");
    value = v.get<std::string>();
    if (!FitsCp1252(value)) m_impl->Fail("\"" + m_impl->PathOf(name) + "\" holds text that Windows-1252 cannot hold");
}

void CJsonInArchive::BeginObject(const char* name) {
    const Json& v = m_impl->Member(name);
    if (!v.is_object()) m_impl->Fail("\"" + m_impl->PathOf(name) + "\" must be an object");
    m_impl->stack.push_back({&v, m_impl->PathOf(name), 0, {}});
}

void CJsonInArchive::EndObject() {
    m_impl->CheckAllRead();
    m_impl->stack.pop_back();
}

void CJsonInArchive::Finish() { m_impl->CheckAllRead(); }

std::size_t CJsonInArchive::BeginList(const char* name, std::size_t, CountType, std::size_t) {
    const Json& v = m_impl->Member(name);
    if (!v.is_array()) m_impl->Fail("\"" + m_impl->PathOf(name) + "\" must be an array");
    m_impl->stack.push_back({&v, m_impl->PathOf(name), 0, {}});
    return v.size();
}

void CJsonInArchive::BeginItem() {
    Impl::Frame& list = m_impl->stack.back();
    const std::size_t index = list.next++;
    const std::string path = list.path + "[" + std::to_string(index) + "]";
    if (index >= list.value->size()) m_impl->Fail("missing item \"" + path + "\"");
    const Json& item = (*list.value)[index];
    if (!item.is_object()) m_impl->Fail("\"" + path + "\" must be an object");
    m_impl->stack.push_back({&item, path, 0, {}});
}

void CJsonInArchive::EndItem() {
    m_impl->CheckAllRead();
    m_impl->stack.pop_back();
}
void CJsonInArchive::EndList() { m_impl->stack.pop_back(); }
