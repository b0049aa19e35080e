#include "textio/LineSink.h"

#include "textio/WriteAll.h"

#include <QIODevice>

namespace tabulink {

namespace {
// Room past the flush mark, so that most units go in without a check.
constexpr qsizetype kSlack = 64 * 1024;
constexpr qsizetype kFirstSize = 16 * 1024;
}

LineSink::LineSink(QIODevice *device, Cp932::Unmappable mode)
    : m_device(device), m_mode(mode), m_buffer(kFirstSize, Qt::Uninitialized)
{
}

LineSink::~LineSink()
{
    finish();
}

void LineSink::line(QStringView unit)
{
    m_scratch.resize(0); // keeps the capacity, unlike clear()
    m_replaced += Cp932::encodeAppend(unit, m_mode, m_scratch);
    m_scratch += "\r\n";
    put(m_scratch);
    if (m_used >= kFlushAt)
        flushBuffer();
}

void LineSink::raw(QStringView text)
{
    m_scratch.resize(0);
    m_replaced += Cp932::encodeAppend(text, m_mode, m_scratch);
    put(m_scratch);
    if (m_used >= kFlushAt)
        flushBuffer();
}

void LineSink::putRecoded(QByteArrayView cp932)
{
    // A byte becomes at most a reference of eight ("&#65533;").
    if (makeRoom(cp932.size() * 8)) {
        m_used += Cp932::recodeTo(cp932, m_buffer.data() + m_used, &m_replaced);
        return;
    }
    m_scratch.resize(0);
    m_replaced += Cp932::recodeAppend(cp932, m_scratch);
    put(m_scratch);
}

void LineSink::putEncoded(QStringView text)
{
    if (makeRoom(text.size() * 8)) {
        m_used += Cp932::encodeTo(text, m_mode, m_buffer.data() + m_used, &m_replaced);
        return;
    }
    m_scratch.resize(0);
    m_replaced += Cp932::encodeAppend(text, m_mode, m_scratch);
    put(m_scratch);
}

bool LineSink::grow(qsizetype bytes)
{
    constexpr qsizetype kFullSize = kFlushAt + kSlack;
    if (m_buffer.size() < kFullSize)
        m_buffer.resize(qMin(kFullSize, qMax(m_buffer.size() * 4, m_used + bytes)));
    return bytes <= m_buffer.size() - m_used;
}

void LineSink::putLarge(QByteArrayView bytes)
{
    if (makeRoom(bytes.size())) {
        put(bytes);
        return;
    }
    flushBuffer();
    if (bytes.size() <= m_buffer.size()) {
        put(bytes);
        return;
    }
    if (m_ok && !WriteAll::toDevice(m_device, bytes.data(), bytes.size()))
        m_ok = false;
}

void LineSink::flushBuffer()
{
    if (m_used == 0)
        return;
    if (m_ok && !WriteAll::toDevice(m_device, m_buffer.constData(), m_used))
        m_ok = false;
    m_used = 0;
}

bool LineSink::finish()
{
    flushBuffer();
    return m_ok;
}

} // namespace tabulink
