// Natively the ANSI code page is fixed to CP932, the one the users' Windows has,
// so files written here hold the same bytes as files written there.
#include "text/ansi.h"

#include <iconv.h>

#include <cerrno>
#include <stdexcept>

namespace mb {
namespace {

class Converter {
public:
    Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {
        if (cd_ == reinterpret_cast<iconv_t>(-1)) throw std::runtime_error("iconv_open failed");
    }
    ~Converter() { iconv_close(cd_); }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    // Converts what it can; an unconvertible or invalid sequence of `badLength`
    // input bytes is replaced by `replacement`.
    std::string Run(std::string_view in, std::string_view replacement, bool utf8Input) {
        std::string out;
        char buf[256];
        char* src = const_cast<char*>(in.data());
        size_t left = in.size();
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        while (left > 0) {
            char* dst = buf;
            size_t room = sizeof buf;
            size_t r = iconv(cd_, &src, &left, &dst, &room);
            out.append(buf, static_cast<size_t>(dst - buf));
            if (r != static_cast<size_t>(-1)) continue;
            if (errno == E2BIG) continue;
            // EILSEQ or EINVAL: skip one input character.
            size_t skip = 1;
            if (utf8Input) {
                unsigned char c = static_cast<unsigned char>(*src);
                skip = c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC0 ? 2 : 1;
            } else {
                unsigned char c = static_cast<unsigned char>(*src);
                bool lead = (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
                skip = lead ? 2 : 1;
            }
            if (skip > left) skip = left;
            src += skip;
            left -= skip;
            out.append(replacement);
        }
        return out;
    }

private:
    iconv_t cd_;
};

}  // namespace

std::string ToAnsi(std::string_view utf8) {
    Converter c("CP932", "UTF-8");
    return c.Run(utf8, "?", true);
}

std::string FromAnsi(std::string_view ansi) {
    Converter c("UTF-8", "CP932");
    return c.Run(ansi, "\xEF\xBF\xBD", false);
}

}  // namespace mb
