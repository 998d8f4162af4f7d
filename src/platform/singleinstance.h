// One copy of Horaloom per user.
#pragma once

namespace horaloom {

class SingleInstance {
public:
    virtual ~SingleInstance() = default;
    // Claims the per-user lock; true when another running copy holds it.
    virtual bool anotherIsRunning() = 0;
};

} // namespace horaloom
