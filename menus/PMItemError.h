#pragma once
// The one error the menu library raises to its callers.
#include <stdexcept>

class EPMItemError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};
