#pragma once

#include <utility>

// A named property as the model's classes expose it: a getter under the property's own name
// and a setter "set" + name. Object properties hold shared references, never copies.
#define LOTMARK_PROPERTY(Type, Name)                                                                                   \
public:                                                                                                                \
    const Type& Name() const                                                                                           \
    {                                                                                                                  \
        return m_##Name;                                                                                               \
    }                                                                                                                  \
    void set##Name(Type value)                                                                                         \
    {                                                                                                                  \
        m_##Name = std::move(value);                                                                                   \
    }                                                                                                                  \
                                                                                                                       \
private:                                                                                                               \
    Type m_##Name{};
