#pragma once
// An owning pointer for a part that belongs to its owner by value: a copy of the owner owns a
// copy of the part, and assigning an owner copies into the part it already has, so that
// references to the part stay valid when a saved state is put back.

#include <memory>
#include <utility>

namespace qdx {

template <typename T>
class TCopyingPtr : public std::unique_ptr<T> {
public:
    TCopyingPtr() = default;
    TCopyingPtr(std::unique_ptr<T> p) : std::unique_ptr<T>(std::move(p)) {}
    TCopyingPtr(const TCopyingPtr& other)
        : std::unique_ptr<T>(other ? std::make_unique<T>(*other) : nullptr) {}
    TCopyingPtr(TCopyingPtr&&) noexcept = default;
    TCopyingPtr& operator=(TCopyingPtr&&) noexcept = default;
    TCopyingPtr& operator=(std::unique_ptr<T> p) {
        std::unique_ptr<T>::operator=(std::move(p));
        return *this;
    }
    TCopyingPtr& operator=(const TCopyingPtr& other) {
        if (this == &other) return *this;
        if (!other)
            this->reset();
        else if (*this)
            **this = *other;
        else
            this->reset(new T(*other));
        return *this;
    }
};

}  // namespace qdx
