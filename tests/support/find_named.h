#pragma once

#include <QObject>
#include <QString>

#include <gtest/gtest.h>

// The child of `parent` with this object name and type; a missing one fails the test.
template <typename T>
T* findNamed(const QObject& parent, const char* name)
{
    T* child = parent.findChild<T*>(QString::fromUtf8(name));
    EXPECT_NE(child, nullptr) << "no " << name;
    return child;
}
