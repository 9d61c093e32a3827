#include "ini/ini_document.h"

namespace mb {

bool IsCp932Lead(unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }

namespace {

bool IsBlank(char c) {
    switch (c) {
    case ' ': case '\t': case '\r': case '\n': case '\v': case '\f': case '\x1a': case '\0': return true;
    default: return false;
    }
}

char FoldAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

// Position of the last `ch` outside double-byte characters, or npos.
size_t FindLastSingle(std::string_view s, char ch) {
    size_t found = std::string_view::npos;
    for (size_t i = 0; i < s.size(); ++i) {
        if (IsCp932Lead(static_cast<unsigned char>(s[i])) && i + 1 < s.size()) { ++i; continue; }
        if (s[i] == ch) found = i;
    }
    return found;
}

size_t FindFirstSingle(std::string_view s, char ch) {
    for (size_t i = 0; i < s.size(); ++i) {
        if (IsCp932Lead(static_cast<unsigned char>(s[i])) && i + 1 < s.size()) { ++i; continue; }
        if (s[i] == ch) return i;
    }
    return std::string_view::npos;
}

}  // namespace

std::string_view TrimProfileBlanks(std::string_view s) {
    while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
    return s;
}

bool ProfileNamesEqual(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (IsCp932Lead(static_cast<unsigned char>(a[i])) && i + 1 < a.size()) {
            if (a[i] != b[i] || a[i + 1] != b[i + 1]) return false;
            ++i;
            continue;
        }
        if (FoldAscii(a[i]) != FoldAscii(b[i])) return false;
    }
    return true;
}

IniDocument::IniDocument(std::string bytes) : bytes_(std::move(bytes)) { Parse(); }

void IniDocument::Parse() {
    lines_.clear();
    size_t pos = 0;
    const size_t n = bytes_.size();
    while (pos < n) {
        size_t end = pos;
        while (end < n && bytes_[end] != '\r' && bytes_[end] != '\n') ++end;
        size_t next = end;
        if (next < n && bytes_[next] == '\r') ++next;
        if (next < n && bytes_[next] == '\n' && (next == end || bytes_[next - 1] == '\r')) ++next;
        Line line{pos, end, next, Kind::Other, {}, {}};
        std::string_view text = TrimProfileBlanks(std::string_view(bytes_).substr(pos, end - pos));
        if (text.empty()) {
            line.kind = Kind::Blank;
        } else if (text.front() == ';') {
            line.kind = Kind::Comment;
        } else if (size_t close; text.front() == '[' && (close = FindLastSingle(text, ']')) != std::string_view::npos) {
            line.kind = Kind::Header;
            line.name = std::string(TrimProfileBlanks(text.substr(1, close - 1)));
        } else if (size_t eq = FindFirstSingle(text, '='); eq != std::string_view::npos) {
            line.kind = Kind::Key;
            line.name = std::string(TrimProfileBlanks(text.substr(0, eq)));
            line.value = std::string(TrimProfileBlanks(text.substr(eq + 1)));
        }
        lines_.push_back(std::move(line));
        pos = next;
    }
}

std::optional<IniDocument::Section> IniDocument::FindSection(std::string_view name) const {
    name = TrimProfileBlanks(name);
    for (size_t i = 0; i < lines_.size(); ++i) {
        if (lines_[i].kind != Kind::Header || !ProfileNamesEqual(lines_[i].name, name)) continue;
        Section s{i, i, lines_.size()};
        for (size_t j = i + 1; j < lines_.size(); ++j) {
            if (lines_[j].kind == Kind::Header) { s.endLine = j; break; }
            if (lines_[j].kind != Kind::Blank) s.lastEntry = j;
        }
        return s;
    }
    return std::nullopt;
}

std::optional<size_t> IniDocument::FindKey(const Section& s, std::string_view key) const {
    key = TrimProfileBlanks(key);
    for (size_t j = s.header + 1; j < s.endLine; ++j)
        if (lines_[j].kind == Kind::Key && ProfileNamesEqual(lines_[j].name, key)) return j;
    return std::nullopt;
}

std::optional<std::string> IniDocument::Value(std::string_view section, std::string_view key) const {
    auto s = FindSection(section);
    if (!s) return std::nullopt;
    auto k = FindKey(*s, key);
    if (!k) return std::nullopt;
    const std::string& v = lines_[*k].value;
    if (v.size() >= 2 && v.front() == '"' && v.back() == '"') return v.substr(1, v.size() - 2);
    return v;
}

std::vector<std::string> IniDocument::SectionNames() const {
    std::vector<std::string> names;
    for (const Line& l : lines_)
        if (l.kind == Kind::Header) names.push_back(l.name);
    return names;
}

std::optional<std::vector<std::string>> IniDocument::KeyNames(std::string_view section) const {
    auto s = FindSection(section);
    if (!s) return std::nullopt;
    std::vector<std::string> keys;
    for (size_t j = s->header + 1; j < s->endLine; ++j)
        if (lines_[j].kind == Kind::Key) keys.push_back(lines_[j].name);
    return keys;
}

void IniDocument::Splice(size_t from, size_t to, std::string_view with) {
    bytes_.replace(from, to - from, with);
    Parse();
}

bool IniDocument::Set(std::string_view section, std::string_view key, std::string_view value) {
    auto s = FindSection(section);
    if (!s) {
        std::string add;
        if (!bytes_.empty() && bytes_.back() != '\n' && bytes_.back() != '\r') add += "\r\n";
        add.append("[").append(section).append("]\r\n").append(key).append("=").append(value).append("\r\n");
        Splice(bytes_.size(), bytes_.size(), add);
        return true;
    }
    if (auto k = FindKey(*s, key)) {
        const Line& l = lines_[*k];
        if (l.value == value) return false;
        // The name keeps the spelling the file has; the line keeps its line end.
        std::string line = l.name + "=" + std::string(value);
        Splice(l.start, l.end, line);
        return true;
    }
    const Line& after = lines_[s->lastEntry];
    std::string add;
    if (after.next == after.end) add += "\r\n";  // the file's last line had no line end
    add.append(key).append("=").append(value).append("\r\n");
    Splice(after.next, after.next, add);
    return true;
}

bool IniDocument::DeleteKey(std::string_view section, std::string_view key) {
    auto s = FindSection(section);
    if (!s) return false;
    auto k = FindKey(*s, key);
    if (!k) return false;
    Splice(lines_[*k].start, lines_[*k].next, {});
    return true;
}

bool IniDocument::DeleteSection(std::string_view section) {
    auto s = FindSection(section);
    if (!s) return false;
    size_t from = lines_[s->header].start;
    size_t to = s->endLine < lines_.size() ? lines_[s->endLine].start : bytes_.size();
    Splice(from, to, {});
    return true;
}

}  // namespace mb
