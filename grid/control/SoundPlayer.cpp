// Playing a sound by name or URL for the control.
#include "SoundPlayer.h"

#include <mmsystem.h>

namespace {

constexpr UINT PlayFile = SND_ASYNC | SND_FILENAME;

// The flags a caller gave; a missing optional argument keeps the default.
LONG FlagsFrom(const VARIANT* soundFlags)
{
    LONG flags = SoundFlag::WaitAndPlay;
    if (!soundFlags || (soundFlags->vt == VT_ERROR && soundFlags->scode == DISP_E_PARAMNOTFOUND))
        return flags;
    VARIANT converted;
    VariantInit(&converted);
    if (SUCCEEDED(VariantChangeTypeEx(&converted, const_cast<VARIANT*>(soundFlags), LOCALE_USER_DEFAULT, 0, VT_I4)))
        flags = converted.lVal;
    VariantClear(&converted);
    return flags;
}

} // namespace

void SoundPlayer::PlaySoundFile(BSTR sound, const VARIANT* soundFlags, bool hasBindHost)
{
    if (!sound)
        return;
    m_name.assign(sound, SysStringLen(sound));
    m_flags = FlagsFrom(soundFlags);
    if (m_flags & SoundFlag::PlaySystemSound) {
        m_services.PlaySound(m_name, SND_ASYNC);
        return;
    }
    if (!hasBindHost) {
        m_services.PlaySound(m_name, PlayFile);
        return;
    }
    PlayUrl(m_name);
}

void SoundPlayer::PlayUrl(const std::wstring& url)
{
    std::wstring local;
    if ((m_flags & SoundFlag::PlayIfCached) && m_services.FindCachedFile(url, local)) {
        m_services.PlaySound(local, PlayFile);
        return;
    }
    if (m_flags & SoundFlag::WaitAndPlay) {
        if (m_services.DownloadToCache(url, local))
            m_services.PlaySound(local, PlayFile);
        return;
    }
    if (m_flags & SoundFlag::PlayDefault)
        m_services.PlaySound(L"Default", SND_ASYNC);
    // The running download serves the newest name and flags when it ends.
    if (m_downloading)
        return;
    m_downloading = true;
    if (FAILED(m_services.StartDownload(DownloadId, url)))
        m_downloading = false;
}

void SoundPlayer::OnProgress(ULONG status, LPCWSTR text, bool hasBindHost)
{
    if (m_cacheFile.Note(status, text))
        Finish(true, hasBindHost);
}

void SoundPlayer::OnStop(HRESULT result, bool hasBindHost)
{
    if (m_downloading)
        Finish(SUCCEEDED(result), hasBindHost);
}

void SoundPlayer::Finish(bool play, bool hasBindHost)
{
    const std::wstring file = m_cacheFile.File();
    m_cacheFile.Clear();
    m_downloading = false;
    if (play && (m_flags & SoundFlag::PlayWhenDownloaded) && !file.empty()) {
        BSTR name = SysAllocStringLen(file.data(), static_cast<UINT>(file.size()));
        VARIANT flags;
        VariantInit(&flags);
        flags.vt = VT_I4;
        flags.lVal = SoundFlag::WaitAndPlay;
        if (name)
            PlaySoundFile(name, &flags, hasBindHost);
        SysFreeString(name);
    }
    m_name.clear();
}
