// AboutDialog: the state of one About box while it is on screen (its fonts,
// the background brush with the colour it was made for, the link and its
// rectangle) and AboutDlgProc, the dialog procedure that owns it.
#pragma once

#include "Color3DScheme.h"

#include <windows.h>

#include <string>

INT_PTR CALLBACK AboutDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

class AboutDialog {
public:
    explicit AboutDialog(HWND dialog);
    ~AboutDialog();
    AboutDialog(const AboutDialog&) = delete;
    AboutDialog& operator=(const AboutDialog&) = delete;

    void Initialize();
    void Paint();
    HBRUSH ControlColor(HDC dc);
    // True when the hand cursor was set (the point is over the link).
    bool SetLinkCursor(POINT client);
    void OnButtonDown(POINT client);

    const std::wstring& LinkTarget() const { return m_linkTarget; }
    const RECT& LinkRect() const { return m_linkRect; }

private:
    enum FontSlot { NormalFont, BoldFont, TitleFont, NameFont, LinkFont, FontCount };

    void MakeFonts();
    HFONT Font(FontSlot slot) const;
    void PlaceOnScreen();
    void FillTexts();
    void LayOutMakerBlock();
    void MeasureLink();
    RECT ItemRect(int id) const;
    std::wstring ItemText(int id) const;
    void DrawEmbossedBand(HDC dc);
    void DrawItemText(HDC dc, int id, const std::wstring& text, FontSlot font, UINT format);

    HWND m_dialog;
    Color3DScheme m_colors;
    HFONT m_fonts[FontCount] = {};   // owned; null where the dialog font stands in
    HFONT m_dialogFont = nullptr;    // not owned
    HBRUSH m_faceBrush = nullptr;    // owned
    COLORREF m_brushColor = CLR_INVALID;
    HCURSOR m_hand = nullptr;        // shared resource cursor, not destroyed
    std::wstring m_linkTarget;
    RECT m_linkRect = {};
};
