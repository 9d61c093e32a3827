#pragma once
// An INI file's bytes, parsed the way the platform's private-profile service reads
// them, and edited the way it edits them: only the lines an operation needs change;
// every other byte, comments, blank lines and line ends included, stays as it was.
// Text is CP932: lead bytes are skipped over when scanning and folding case.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace mb {

class IniDocument {
public:
    explicit IniDocument(std::string bytes);

    const std::string& Bytes() const { return bytes_; }

    // The value as stored, blanks trimmed, one matching pair of double quotes removed.
    std::optional<std::string> Value(std::string_view section, std::string_view key) const;
    std::vector<std::string> SectionNames() const;
    // Keys of the first section of that name; nullopt when there is no such section.
    std::optional<std::vector<std::string>> KeyNames(std::string_view section) const;

    // Each returns whether the bytes changed.
    bool Set(std::string_view section, std::string_view key, std::string_view value);
    bool DeleteKey(std::string_view section, std::string_view key);
    bool DeleteSection(std::string_view section);

private:
    enum class Kind { Blank, Comment, Header, Key, Other };
    struct Line {
        size_t start, end, next;  // content [start, end), line end [end, next)
        Kind kind;
        std::string name;         // section name or key name
        std::string value;        // raw value, trimmed
    };
    struct Section {
        size_t header;      // index of the header line
        size_t lastEntry;   // index of the last non-blank line of the section
        size_t endLine;     // index one past the section's last line
    };

    void Parse();
    std::optional<Section> FindSection(std::string_view name) const;
    std::optional<size_t> FindKey(const Section& s, std::string_view key) const;
    void Splice(size_t from, size_t to, std::string_view with);

    std::string bytes_;
    std::vector<Line> lines_;
};

// Equal ignoring ASCII case, with double-byte characters compared exactly.
bool ProfileNamesEqual(std::string_view a, std::string_view b);
// Trims the blanks the service trims (space, TAB, CR, LF, VT, FF, ^Z, NUL).
std::string_view TrimProfileBlanks(std::string_view s);
// True when byte c starts a double-byte character in CP932.
bool IsCp932Lead(unsigned char c);

}  // namespace mb
