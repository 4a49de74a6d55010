// LateObject: an automation object reached late bound, as the application's
// runtime reaches outside components: members looked up by name, arguments
// passed in the order the caller writes them, failures thrown as
// AutomationError with the object's description.
#pragma once

#include "AutomationError.h"
#include "LateArg.h"

#include <initializer_list>

namespace hv::automation {

class LateObject {
public:
    LateObject() = default;
    // Takes over one reference (adopt) or adds its own.
    LateObject(IDispatch* object, bool adopt);
    LateObject(const LateObject& other) : LateObject(other.object_, false) {}
    LateObject(LateObject&& other) noexcept : object_(other.object_) { other.object_ = nullptr; }
    LateObject& operator=(LateObject other) noexcept;
    ~LateObject() { Reset(); }

    // A new object of the class registered under the ProgID.
    static LateObject Create(const wchar_t* progId);

    IDispatch* Get() const { return object_; }
    explicit operator bool() const { return object_ != nullptr; }
    void Reset();

    // A property (with arguments, if any) that holds an object.
    LateObject Object(const wchar_t* name, std::initializer_list<LateArg> args = {}) const;
    // A property's value.
    LateArg Value(const wchar_t* name, std::initializer_list<LateArg> args = {}) const;
    // Sets a property (with arguments, if any, before the value).
    void Put(const wchar_t* name, const LateArg& value, std::initializer_list<LateArg> args = {}) const;
    // Calls a method.
    LateArg Call(const wchar_t* name, std::initializer_list<LateArg> args = {}) const;

private:
    LateArg Invoke(const wchar_t* name, WORD flags, std::initializer_list<LateArg> args, const LateArg* value) const;

    IDispatch* object_ = nullptr;
};

} // namespace hv::automation
