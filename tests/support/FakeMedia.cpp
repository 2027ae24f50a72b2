#include "FakeMedia.h"

bool TFakeMedia::Open(const std::string& path)
{
    Opened.push_back(path);
    m_playing = false;
    m_open = OpenResult;
    return m_open;
}

bool TFakeMedia::Play()
{
    ++PlayCount;
    m_playing = m_open && PlayResult;
    return m_playing;
}

void TFakeMedia::Stop()
{
    ++StopCount;
    m_playing = false;
}
