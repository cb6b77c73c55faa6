#pragma once

#include <string>

#include "platform/Error.h"

namespace ostrelin::testing {

// The text of the error that `call` raises, or "no error".
template <typename Call>
std::string ErrorOf(Call call) {
    try {
        call();
    } catch (const Error& error) {
        return error.what();
    }
    return "no error";
}

}  // namespace ostrelin::testing
