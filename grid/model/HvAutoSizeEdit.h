// HvAutoSizeEdit: the start and maximum sizes of the in-place edit window
// for automatic sizing, held in pixels and put and got in the container's
// units through the owning layout.
#pragma once

#include "DualObject.h"

#include <Tavelle.h>

class LayoutUnitsSeam;

class HvAutoSizeEdit final : public CDualObject<IHvAutoSizeEdit> {
public:
    // layout: not owned; null converts in twips at the display's resolution.
    // Null when memory is short.
    static HvAutoSizeEdit* Create(LayoutUnitsSeam* layout);

    STDMETHODIMP get_MaxHeight(float* value) override;
    STDMETHODIMP put_MaxHeight(float value) override;
    STDMETHODIMP get_MaxWidth(float* value) override;
    STDMETHODIMP put_MaxWidth(float value) override;
    STDMETHODIMP get_StartHeight(float* value) override;
    STDMETHODIMP put_StartHeight(float value) override;
    STDMETHODIMP get_StartWidth(float* value) override;
    STDMETHODIMP put_StartWidth(float value) override;

    // Pixels, for the in-place editor; 0 means no limit or as the text needs.
    LONG MaxHeightPixels() const { return maxHeight_; }
    LONG MaxWidthPixels() const { return maxWidth_; }
    LONG StartHeightPixels() const { return startHeight_; }
    LONG StartWidthPixels() const { return startWidth_; }
    // Set for each edit from the BeforeAutoSizeEdit answer.
    bool IsCancelled() const { return cancelled_; }
    void SetCancelled(bool cancelled) { cancelled_ = cancelled; }

private:
    explicit HvAutoSizeEdit(LayoutUnitsSeam* layout);
    ~HvAutoSizeEdit() override = default;

    HRESULT GetSize(LONG pixels, bool horizontal, float* value) const;
    // The value in pixels, or false for a negative, non-finite or too large value.
    bool ToPixels(float value, bool horizontal, LONG* pixels) const;
    HRESULT InvalidValue();

    LayoutUnitsSeam* layout_; // not owned
    LONG maxHeight_ = 0;
    LONG maxWidth_ = 0;
    LONG startHeight_ = 0;
    LONG startWidth_ = 0;
    bool cancelled_ = true;
};
