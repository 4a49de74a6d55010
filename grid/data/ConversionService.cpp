// ConversionService: lazy creation of the conversion library.
#include "ConversionService.h"

#include "DataIds.h"

HRESULT ConversionService::Get(IDataConvert** service)
{
    *service = nullptr;
    if (!service_) {
        HRESULT hr = CoCreateInstance(kClsidConversionLibrary, nullptr, CLSCTX_INPROC_SERVER, kIidDataConvert,
                                      service_.PutVoid());
        if (FAILED(hr))
            return hr;
    }
    *service = service_.Get();
    return S_OK;
}

HRESULT ConversionService::Convert(DBTYPE sourceType, DBTYPE targetType, DBLENGTH sourceLength, const void* source,
                                   void* target, DBLENGTH targetMax, BYTE precision, BYTE scale)
{
    IDataConvert* service = nullptr;
    HRESULT hr = Get(&service);
    if (FAILED(hr))
        return hr;
    DBLENGTH targetLength = 0;
    DBSTATUS status = DBSTATUS_S_OK;
    return service->DataConvert(sourceType, targetType, sourceLength, &targetLength, const_cast<void*>(source),
                                target, targetMax, DBSTATUS_S_OK, &status, precision, scale,
                                DBDATACONVERT_DEFAULT);
}
