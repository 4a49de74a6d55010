// HvError: the error the grid hands to its container's Error event: type,
// code and description, the data-error or mask-error details by type, and
// whether the control still shows its own error dialog afterwards.
#pragma once

#include "DualString.h"
#include "HvObjectBaseImpl.h"

#include <Tavelle.h>

class DataErrorInfo;
class HvDataError;
class HvMaskError;

class HvError final : public HvObjectBaseImpl<IHvError> {
public:
    // Each returns a new object with one reference, or null when memory is
    // short. A data error (type hvErrorTypeData) gets empty data details.
    static HvError* Create(Constants_ErrorType type, LONG code, const CDualString& description);
    // Code is the record's code as a signed 16-bit value.
    static HvError* ConstructFromRecord(Constants_ErrorType type, const DataErrorInfo& record);
    // A mask error (type hvErrorTypeMask) gets the mask details.
    static HvError* ConstructWithMaskError(Constants_ErrorType type, LONG code, const CDualString& description,
                                           const CDualString& invalidText, short startPosition);

    STDMETHODIMP get_Type(Constants_ErrorType* type) override;
    STDMETHODIMP get_Code(long* code) override;
    STDMETHODIMP get_Description(BSTR* description) override;
    STDMETHODIMP put_Description(BSTR description) override;
    STDMETHODIMP get_DataError(IHvDataError** error) override;
    STDMETHODIMP get_MaskError(IHvMaskError** error) override;
    STDMETHODIMP get_DisplayErrorDialog(VARIANT_BOOL* display) override;
    STDMETHODIMP put_DisplayErrorDialog(VARIANT_BOOL display) override;

    void ReleaseReferences() override;

    void GetDescriptionText(CDualString& out) const { out = description_; }
    // Not referenced for the caller.
    HvMaskError* GetMaskErrorObject() const { return maskError_; }
    bool DisplayErrorDialog() const { return displayErrorDialog_; }

private:
    HvError(Constants_ErrorType type, LONG code, const CDualString& description);
    ~HvError() override;

    Constants_ErrorType type_;
    LONG code_;
    CDualString description_;
    HvDataError* dataError_ = nullptr; // one reference
    HvMaskError* maskError_ = nullptr; // one reference
    bool displayErrorDialog_ = true;
};
