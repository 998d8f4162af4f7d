// One copy per user: a lock file in the per-user runtime directory.
#pragma once

#include "singleinstance.h"

#include <QLockFile>
#include <memory>

namespace horaloom {

class QtSingleInstance : public SingleInstance {
public:
    bool anotherIsRunning() override;

private:
    std::unique_ptr<QLockFile> m_lock;
};

} // namespace horaloom
