// The intrusive list the catalogue, the coaster's blocks and the pictures
// use: a header with the newest element, the oldest element and a count;
// each element carries an older-link and a newer-link. Iteration in order
// runs from the oldest element along the newer-links. The list does not own
// its elements.
#pragma once

#include <cstdint>

namespace zr {

template <typename T>
struct IntrusiveList {
    T* newest = nullptr;
    T* oldest = nullptr;
    int32_t count = 0;

    void append(T* element) {
        element->older = newest;
        element->newer = nullptr;
        if (newest) newest->newer = element;
        else oldest = element;
        newest = element;
        ++count;
    }

    void unlink(T* element) {
        if (element->older) element->older->newer = element->newer;
        else oldest = static_cast<T*>(element->newer);
        if (element->newer) element->newer->older = element->older;
        else newest = static_cast<T*>(element->older);
        element->older = element->newer = nullptr;
        --count;
    }

    // Visits from the oldest to the newest.
    template <typename F>
    void forEach(F&& visit) const {
        for (T* element = oldest; element;) {
            T* next = static_cast<T*>(element->newer);
            visit(element);
            element = next;
        }
    }
};

}  // namespace zr
