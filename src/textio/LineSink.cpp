#include "textio/LineSink.h"

#include "textio/WriteAll.h"

#include <QIODevice>

namespace tabulink {

namespace {
constexpr qsizetype kFlushAt = 1 << 20;
}

LineSink::LineSink(QIODevice *device, Cp932::Unmappable mode)
    : m_device(device), m_mode(mode)
{
    m_buffer.reserve(kFlushAt + 4096);
}

LineSink::~LineSink()
{
    finish();
}

void LineSink::line(QStringView unit)
{
    m_replaced += Cp932::encodeAppend(unit, m_mode, m_buffer);
    m_buffer += "\r\n";
    if (m_buffer.size() >= kFlushAt)
        flushBuffer();
}

void LineSink::raw(QStringView text)
{
    m_replaced += Cp932::encodeAppend(text, m_mode, m_buffer);
    if (m_buffer.size() >= kFlushAt)
        flushBuffer();
}

void LineSink::flushBuffer()
{
    if (m_buffer.isEmpty())
        return;
    if (m_ok && !WriteAll::toDevice(m_device, m_buffer))
        m_ok = false;
    m_buffer.clear();
}

bool LineSink::finish()
{
    flushBuffer();
    return m_ok;
}

} // namespace tabulink
