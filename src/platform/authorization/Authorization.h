#pragma once

#include "platform/MacTypes.h"
#include "platform/files/ItemLocation.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <array>
#include <cstdint>

namespace platform {

constexpr OSStatus errAuthorizationSuccess = 0;
constexpr OSStatus errAuthorizationInvalidRef = -60002;
constexpr OSStatus errAuthorizationDenied = -60005;
constexpr OSStatus errAuthorizationCanceled = -60006;
constexpr OSStatus errAuthorizationToolExecuteFailure = -60031;

using AuthorizationFlags = uint32_t;
constexpr AuthorizationFlags kAuthorizationFlagDefaults = 0;
constexpr AuthorizationFlags kAuthorizationFlagInteractionAllowed = 1 << 0;
constexpr AuthorizationFlags kAuthorizationFlagExtendRights = 1 << 1;
constexpr AuthorizationFlags kAuthorizationFlagPreAuthorize = 1 << 4;

// An authorization session; 0 is none.
using AuthorizationRef = uint64_t;

// An authorization in a form that another holder can take it over from (the external form).
struct AuthorizationExternalForm {
    std::array<char, 32> bytes{};
};

// The administrator right.
inline const QString kAuthorizationRightExecute = QStringLiteral("system.privilege.admin");

// Security's Authorization Services: a session, the rights it holds, and the one privileged
// operation the program needs, removing an item as "/bin/rm" "-rf" "--" <path> would, but only
// at the place where it was found.
// Safe to call from any thread.
class Authorization {
public:
    virtual ~Authorization() = default;

    virtual OSStatus AuthorizationCreate(AuthorizationFlags flags, AuthorizationRef* authorization) = 0;
    // Asks for the rights (this is where an administrator's password is asked for).
    virtual OSStatus AuthorizationCopyRights(AuthorizationRef authorization, const QStringList& rights,
                                             AuthorizationFlags flags) = 0;
    virtual OSStatus AuthorizationFree(AuthorizationRef authorization) = 0;
    virtual OSStatus AuthorizationMakeExternalForm(AuthorizationRef authorization,
                                                   AuthorizationExternalForm* extForm) = 0;
    // A new session sharing the rights of the one the form was made from, while that one is open.
    virtual OSStatus AuthorizationCreateFromExternalForm(const AuthorizationExternalForm& extForm,
                                                         AuthorizationRef* authorization) = 0;
    // Whether the policy knows the right.
    virtual OSStatus AuthorizationRightGet(const QString& rightName) = 0;
    // Removes the item at its location with the session's rights, as the file manager removes
    // over a location (nothing swapped in since it was found is followed, no mount or protected
    // folder is entered); `output` gets what went wrong (empty on success). Refuses, without
    // running anything, an empty or relative path, one with a ".." component, and the standard
    // folders themselves.
    virtual OSStatus removeItemWithPrivileges(AuthorizationRef authorization, const ItemLocation& location,
                                              const ProtectedFolders& protectedFolders, QByteArray* output) = 0;
};

} // namespace platform
