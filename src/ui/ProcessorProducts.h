// The levels and the message of a processing run, as the tabs reach them. The
// processor gains these products stage by stage; until it offers one, the tab
// that shows it finds none and says so.
#pragma once

#include <memory>

#include "document/SoundingProcessor.h"
#include "levels/SignificantLevels.h"
#include "wmo/TempMessage.h"

namespace velta::products {

namespace detail {
template <class T>
T* raw(T* p) {
    return p;
}
template <class T>
T* raw(const std::unique_ptr<T>& p) {
    return p.get();
}
template <class T>
T* mutableOf(const T* p) {
    // The processor owns its products; the tabs only mark levels (their
    // exclusion), which the processor allows on its non-const object.
    return const_cast<T*>(p);
}
}  // namespace detail

template <class P = SoundingProcessor>
SignificantLevels* levels(P* processor) {
    if (!processor) return nullptr;
    if constexpr (requires { processor->levels(); })
        return detail::mutableOf<SignificantLevels>(detail::raw(processor->levels()));
    else
        return nullptr;
}

template <class P = SoundingProcessor>
const TempMessage* message(P* processor) {
    if (!processor) return nullptr;
    if constexpr (requires { processor->message(); })
        return detail::raw(processor->message());
    else
        return nullptr;
}

}  // namespace velta::products
