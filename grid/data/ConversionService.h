// ConversionService: the OLE DB data conversion service (IDataConvert),
// created on first use; a failed creation is answered and tried again next
// time.
#pragma once

#include "ComRef.h"

#include <windows.h>
#include <oledb.h>
#include <msdadc.h>

class ConversionService {
public:
    // The service without a reference added, or the creation's failure.
    HRESULT Get(IDataConvert** service);
    HRESULT Convert(DBTYPE sourceType, DBTYPE targetType, DBLENGTH sourceLength, const void* source,
                    void* target, DBLENGTH targetMax, BYTE precision = 0, BYTE scale = 0);

private:
    ComRef<IDataConvert> service_;
};
