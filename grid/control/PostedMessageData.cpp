#include "PostedMessageData.h"

#include <new>

void PostedMessageData::PairDeleter::operator()(VARIANT* pair) const
{
    VariantClear(&pair[0]);
    VariantClear(&pair[1]);
    delete[] pair;
}

PostedMessageData::Pair PostedMessageData::MakePair(const VARIANT& first, const VARIANT& second)
{
    Pair pair(new (std::nothrow) VARIANT[2]);
    if (!pair)
        return nullptr;
    VariantInit(&pair.get()[0]);
    VariantInit(&pair.get()[1]);
    VariantCopyInd(&pair.get()[0], const_cast<VARIANT*>(&first));
    VariantCopyInd(&pair.get()[1], const_cast<VARIANT*>(&second));
    return pair;
}

bool PostedMessageData::Keep(Pair pair)
{
    if (!pair)
        return false;
    const auto key = reinterpret_cast<LPARAM>(pair.get());
    try {
        pairs_.emplace(key, std::move(pair));
    } catch (const std::bad_alloc&) {
        return false;
    }
    return true;
}

PostedMessageData::Pair PostedMessageData::Take(LPARAM lParam)
{
    const auto found = pairs_.find(lParam);
    if (found == pairs_.end())
        return nullptr;
    Pair pair = std::move(found->second);
    pairs_.erase(found);
    return pair;
}
