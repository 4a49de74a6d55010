// RefHolder: the reference taken and dropped.
#include "RefHolder.h"

RefHolder::RefHolder(IUnknown* object) : m_object(object)
{
    if (m_object)
        m_object->AddRef();
}

RefHolder::~RefHolder()
{
    if (m_object)
        m_object->Release();
}
