#include "base/AppError.h"

#include <new>
#include <stdexcept>

namespace orvan {

AppError::AppError(long number, std::string description, std::string source)
    : number_(number)
    , description_(std::move(description))
    , source_(std::move(source)) {}

AppError AppError::fromException(const std::exception& error) {
    if (const auto* own = dynamic_cast<const AppError*>(&error)) {
        return *own;
    }
    if (dynamic_cast<const std::out_of_range*>(&error) != nullptr) {
        return {kSubscriptOutOfRange, "Subscript out of range"};
    }
    if (dynamic_cast<const std::bad_alloc*>(&error) != nullptr) {
        return {kOutOfMemory, "Out of memory"};
    }
    if (dynamic_cast<const std::overflow_error*>(&error) != nullptr) {
        return {kOverflow, "Overflow"};
    }
    return {kInvalidCall, error.what()};
}

} // namespace orvan
