#pragma once

// A failure of the system's own that is no Exception but knows where it was raised, so that
// the last-resort box names that place as it does for an Exception.
class TRaisePlace {
public:
    const void* RaiseAddress() const { return Address_; }

protected:
    explicit TRaisePlace(const void* address) : Address_(address) {}

private:
    const void* Address_;
};
