#pragma once

#include <QString>

namespace tarvex::Maker {

// The maker's addresses, in one place for the maker to fill in: the web site (its support
// and download pages lie below it) and the support mail address.
inline QString webSite()
{
    return QStringLiteral("https://www.tarvex.example/");
}

inline QString supportMail()
{
    return QStringLiteral("support@tarvex.example");
}

} // namespace tarvex::Maker
