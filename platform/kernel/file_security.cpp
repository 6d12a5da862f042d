// File security as Win32 describes it, over POSIX owners and permission bits. A file's
// descriptor is a self-relative SECURITY_DESCRIPTOR: owner S-1-22-1-<uid>, group
// S-1-22-2-<gid> (the SIDs that stand for Unix users and groups) and a DACL of three
// access-allowed entries, for the owner, the group and Everyone (S-1-1-0), whose masks
// carry the read, write and execute bits. Setting a descriptor applies what it names.
#include "kernel/last_error.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <vector>

namespace {

constexpr WORD selfRelative = 0x8000, daclPresent = 0x0004;
constexpr DWORD readData = 0x0001, writeData = 0x0002, executeFile = 0x0020;
constexpr DWORD genericRead = 0x120089, genericWrite = 0x120116, genericExecute = 0x1200A0;
constexpr size_t descriptorHeader = 20, aclHeader = 8, aceHeader = 8;

struct Sid {
    BYTE authority;
    std::vector<DWORD> subAuthorities;
};

void put(std::vector<BYTE>& out, const void* data, size_t size) {
    const BYTE* bytes = static_cast<const BYTE*>(data);
    out.insert(out.end(), bytes, bytes + size);
}
template <typename T>
void put(std::vector<BYTE>& out, T value) {
    put(out, &value, sizeof value);
}
template <typename T>
T at(const BYTE* bytes, size_t offset) {
    T value;
    std::memcpy(&value, bytes + offset, sizeof value);
    return value;
}

void putSid(std::vector<BYTE>& out, const Sid& sid) {
    put<BYTE>(out, 1);
    put<BYTE>(out, static_cast<BYTE>(sid.subAuthorities.size()));
    const BYTE authority[6] = {0, 0, 0, 0, 0, sid.authority};  // big-endian
    put(out, authority, sizeof authority);
    for (DWORD sub : sid.subAuthorities) put(out, sub);
}
size_t sidSize(const Sid& sid) { return 8 + 4 * sid.subAuthorities.size(); }

// Reads a SID within `size` bytes; false when it does not fit.
bool readSid(const BYTE* bytes, size_t size, size_t offset, Sid& sid) {
    if (offset + 8 > size) return false;
    size_t count = bytes[offset + 1];
    if (offset + 8 + 4 * count > size) return false;
    sid.authority = bytes[offset + 7];
    sid.subAuthorities.clear();
    for (size_t i = 0; i < count; ++i) sid.subAuthorities.push_back(at<DWORD>(bytes, offset + 8 + 4 * i));
    return true;
}

Sid userSid(uid_t uid) { return {22, {1, static_cast<DWORD>(uid)}}; }
Sid groupSid(gid_t gid) { return {22, {2, static_cast<DWORD>(gid)}}; }
const Sid everyone{1, {0}};

DWORD maskOf(mode_t bits) {  // bits: the three of one class, as 04, 02, 01
    return (bits & 4 ? genericRead : 0) | (bits & 2 ? genericWrite : 0) | (bits & 1 ? genericExecute : 0);
}
mode_t bitsOf(DWORD mask) {
    return (mask & readData ? 4 : 0) | (mask & writeData ? 2 : 0) | (mask & executeFile ? 1 : 0);
}

std::vector<BYTE> descriptorOf(const struct stat& info, SECURITY_INFORMATION wanted) {
    const Sid owner = userSid(info.st_uid), group = groupSid(info.st_gid);
    const std::pair<const Sid*, mode_t> entries[] = {
        {&owner, (info.st_mode >> 6) & 7}, {&group, (info.st_mode >> 3) & 7}, {&everyone, info.st_mode & 7}};
    std::vector<BYTE> acl;
    if (wanted & DACL_SECURITY_INFORMATION) {
        size_t aclSize = aclHeader;
        for (auto& entry : entries) aclSize += aceHeader + sidSize(*entry.first);
        put<BYTE>(acl, 2);
        put<BYTE>(acl, 0);
        put<WORD>(acl, static_cast<WORD>(aclSize));
        put<WORD>(acl, 3);
        put<WORD>(acl, 0);
        for (auto& entry : entries) {
            put<BYTE>(acl, 0);  // ACCESS_ALLOWED_ACE_TYPE
            put<BYTE>(acl, 0);
            put<WORD>(acl, static_cast<WORD>(aceHeader + sidSize(*entry.first)));
            put<DWORD>(acl, maskOf(entry.second));
            putSid(acl, *entry.first);
        }
    }
    std::vector<BYTE> out;
    DWORD offset = descriptorHeader;
    DWORD ownerAt = (wanted & OWNER_SECURITY_INFORMATION) ? offset : 0;
    offset += ownerAt ? DWORD(sidSize(owner)) : 0;
    DWORD groupAt = (wanted & GROUP_SECURITY_INFORMATION) ? offset : 0;
    offset += groupAt ? DWORD(sidSize(group)) : 0;
    DWORD daclAt = acl.empty() ? 0 : offset;
    put<BYTE>(out, 1);
    put<BYTE>(out, 0);
    put<WORD>(out, static_cast<WORD>(selfRelative | (daclAt ? daclPresent : 0)));
    put<DWORD>(out, ownerAt);
    put<DWORD>(out, groupAt);
    put<DWORD>(out, 0);  // no SACL
    put<DWORD>(out, daclAt);
    if (ownerAt) putSid(out, owner);
    if (groupAt) putSid(out, group);
    put(out, acl.data(), acl.size());
    return out;
}

}  // namespace

BOOL WINAPI GetFileSecurityA(LPCSTR lpFileName, SECURITY_INFORMATION RequestedInformation,
                             PSECURITY_DESCRIPTOR pSecurityDescriptor, DWORD nLength, LPDWORD lpnLengthNeeded) {
    struct stat info;
    if (!lpFileName || !lpnLengthNeeded) return kernel::failWith(ERROR_INVALID_PARAMETER);
    if (stat(lpFileName, &info) != 0) return kernel::failFromErrno(ERROR_READ_FAULT);
    std::vector<BYTE> descriptor = descriptorOf(info, RequestedInformation);
    *lpnLengthNeeded = static_cast<DWORD>(descriptor.size());
    if (!pSecurityDescriptor || nLength < descriptor.size()) return kernel::failWith(ERROR_INSUFFICIENT_BUFFER);
    std::memcpy(pSecurityDescriptor, descriptor.data(), descriptor.size());
    return TRUE;
}

// Only descriptors in the form GetFileSecurityA gives are understood; entries for other
// SIDs grant nothing here. Changing the owner needs the privilege to, as on Win32.
BOOL WINAPI SetFileSecurityA(LPCSTR lpFileName, SECURITY_INFORMATION SecurityInformation,
                             PSECURITY_DESCRIPTOR pSecurityDescriptor) {
    if (!lpFileName || !pSecurityDescriptor) return kernel::failWith(ERROR_INVALID_PARAMETER);
    const BYTE* bytes = static_cast<const BYTE*>(pSecurityDescriptor);
    if (bytes[0] != 1 || !(at<WORD>(bytes, 2) & selfRelative)) return kernel::failWith(ERROR_INVALID_PARAMETER);
    constexpr size_t limit = 1 << 16;  // a self-relative descriptor's offsets are within this
    // The owner and group SIDs must be the Unix ones: S-1-22-1-<uid> and S-1-22-2-<gid>.
    auto unixId = [bytes](size_t offsetAt, DWORD kind, DWORD& id) {
        Sid sid;
        DWORD sidAt = at<DWORD>(bytes, offsetAt);
        if (!sidAt || !readSid(bytes, limit, sidAt, sid) || sid.authority != 22 || sid.subAuthorities.size() != 2 ||
            sid.subAuthorities[0] != kind)
            return false;
        id = sid.subAuthorities[1];
        return true;
    };
    DWORD owner = DWORD(-1), group = DWORD(-1);
    if ((SecurityInformation & OWNER_SECURITY_INFORMATION) && !unixId(4, 1, owner))
        return kernel::failWith(ERROR_INVALID_PARAMETER);
    if ((SecurityInformation & GROUP_SECURITY_INFORMATION) && !unixId(8, 2, group))
        return kernel::failWith(ERROR_INVALID_PARAMETER);
    uid_t uid = static_cast<uid_t>(owner);
    gid_t gid = static_cast<gid_t>(group);
    Sid sid;
    if ((uid != uid_t(-1) || gid != gid_t(-1)) && chown(lpFileName, uid, gid) != 0) return kernel::failFromErrno();
    if (SecurityInformation & DACL_SECURITY_INFORMATION) {
        DWORD daclAt = at<DWORD>(bytes, 16);
        if (!daclAt || !(at<WORD>(bytes, 2) & daclPresent)) return kernel::failWith(ERROR_INVALID_PARAMETER);
        WORD count = at<WORD>(bytes, daclAt + 4);
        size_t offset = daclAt + aclHeader;
        mode_t mode = 0;
        for (WORD i = 0; i < count; ++i) {
            WORD size = at<WORD>(bytes, offset + 2);
            if (bytes[offset] == 0 && readSid(bytes, limit, offset + aceHeader, sid)) {
                mode_t bits = bitsOf(at<DWORD>(bytes, offset + 4));
                if (sid.authority == 1)
                    mode |= bits;
                else if (sid.authority == 22 && sid.subAuthorities.size() == 2)
                    mode |= sid.subAuthorities[0] == 1 ? bits << 6 : bits << 3;
            }
            offset += size;
        }
        if (chmod(lpFileName, mode) != 0) return kernel::failFromErrno();
    }
    return TRUE;
}
