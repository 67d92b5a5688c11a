#include "search/WildcardMask.h"

#include <algorithm>

namespace {

inline char asciiFold(char c)
{
    return c >= 'A' && c <= 'Z' ? char(c + ('a' - 'A')) : c;
}

template <typename C, typename Fold>
bool globMatch(const C* p, size_t pn, const C* s, size_t sn, Fold fold)
{
    size_t pi = 0, si = 0, star = size_t(-1), mark = 0;
    while (si < sn) {
        if (pi < pn && p[pi] == C('*')) {
            star = pi++;
            mark = si;
        } else if (pi < pn && (p[pi] == C('?') || p[pi] == fold(s[si]))) {
            ++pi;
            ++si;
        } else if (star != size_t(-1)) {
            pi = star + 1;
            si = ++mark;
        } else {
            return false;
        }
    }
    while (pi < pn && p[pi] == C('*'))
        ++pi;
    return pi == pn;
}

bool isAscii(const char* s, size_t n)
{
    return std::all_of(s, s + n, [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

} // namespace

WildcardMask::WildcardMask(const QString& pattern)
    : m_pattern(pattern)
    , m_folded(pattern.toCaseFolded())
    , m_everything(pattern == QLatin1String("*") || pattern == QLatin1String("*.*"))
{
    const QByteArray bytes = pattern.toUtf8();
    if (isAscii(bytes.constData(), size_t(bytes.size()))) {
        m_ascii = bytes;
        std::transform(m_ascii.begin(), m_ascii.end(), m_ascii.begin(), asciiFold);
    }
}

bool WildcardMask::matches(const char* name, size_t length) const
{
    if (m_everything)
        return true;
    if (!m_ascii.isNull() && isAscii(name, length))
        return globMatch(m_ascii.constData(), size_t(m_ascii.size()), name, length, asciiFold);
    const QString folded = QString::fromUtf8(name, qsizetype(length)).toCaseFolded();
    return globMatch(m_folded.utf16(), size_t(m_folded.size()), folded.utf16(),
                     size_t(folded.size()), [](char16_t c) { return c; });
}
