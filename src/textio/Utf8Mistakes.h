#pragma once

#include <QtGlobal>

namespace tabulink {

// Finds the UTF-8 mistakes every decoder refuses: a byte that can never
// start a character, or a start without its continuation bytes. A text
// that has none may still be refused elsewhere (an overlong form, a
// surrogate, a sequence cut at the end); only a mistake found here proves
// the text is not UTF-8. Bytes may be fed in pieces; it stops looking at
// the first mistake, which Japanese code page 932 text shows within its
// first characters.
class Utf8Mistakes
{
public:
    bool found() const { return m_found; }
    void feed(const quint8 *p, qsizetype n)
    {
        for (qsizetype i = 0; i < n && !m_found; ++i) {
            const quint8 b = p[i];
            if (m_need > 0) {
                if ((b & 0xC0) == 0x80)
                    --m_need;
                else
                    m_found = true;
            } else if (b >= 0x80) {
                if (b >= 0xC2 && b <= 0xDF)
                    m_need = 1;
                else if (b >= 0xE0 && b <= 0xEF)
                    m_need = 2;
                else if (b >= 0xF0 && b <= 0xF4)
                    m_need = 3;
                else
                    m_found = true;
            }
        }
    }

private:
    int m_need = 0;
    bool m_found = false;
};

} // namespace tabulink
