#include "app/error_names.h"

#include <string_view>

namespace korvath::app {

namespace {
struct Named {
  DWORD error;
  std::string_view words;
  bool disk;  // the disk's, or its connection's
};

// The errors that a save, a search of the document folder or the making of
// the tool's own folder meets, in words of the tool's own: the system's
// words come in its display language, which may be no Chinese.
constexpr Named kNamed[] = {
    {ERROR_FILE_NOT_FOUND, "找不到文件", false},
    {ERROR_PATH_NOT_FOUND, "找不到路径", false},
    {ERROR_ACCESS_DENIED, "拒绝访问", false},
    {ERROR_WRITE_PROTECT, "介质受写入保护", false},
    {ERROR_SHARING_VIOLATION, "文件正被其他程序占用", false},
    {ERROR_LOCK_VIOLATION, "文件正被其他程序占用", false},
    {ERROR_FILE_EXISTS, "已有同名文件", false},
    {ERROR_ALREADY_EXISTS, "已有同名文件", false},
    {ERROR_INVALID_NAME, "名称不正确", false},
    {ERROR_FILENAME_EXCED_RANGE, "名称或路径过长", false},
    {ERROR_BAD_NETPATH, "找不到网络路径", false},
    {ERROR_NOT_READY, "设备未就绪", true},  // also what Wine makes of the host's EIO in a write or a flush
    {ERROR_IO_DEVICE, "I/O设备错误", true},
    {ERROR_CRC, "数据错误", true},
    {ERROR_WRITE_FAULT, "设备写入错误", true},
    {ERROR_READ_FAULT, "设备读取错误", true},
    {ERROR_GEN_FAILURE, "设备没有发挥作用", true},  // under Wine a host error it does not name
    {ERROR_DISK_OPERATION_FAILED, "磁盘操作失败", true},
    {ERROR_DISK_FULL, "磁盘空间不足", true},
    {ERROR_HANDLE_DISK_FULL, "磁盘空间不足", true},
    {ERROR_DEV_NOT_EXIST, "设备不存在", true},
    {ERROR_DEVICE_NOT_CONNECTED, "设备未连接", true},
    // What Wine makes of the host's EIO where its server opens, moves or
    // links a file, or opens a folder to list it; no file call of Windows
    // gives it (its system words speak of memory).
    {ERROR_NOACCESS, "磁盘读写错误", true},
};

const Named* Find(DWORD error) {
  for (const Named& named : kNamed)
    if (named.error == error) return &named;
  return nullptr;
}
}  // namespace

std::string ErrorName(DWORD error) {
  const Named* named = Find(error);
  return (named ? std::string(named->words) + "," : std::string()) + "错误代码" + std::to_string(error);
}

bool IsDiskError(DWORD error) {
  const Named* named = Find(error);
  return named && named->disk;
}

}  // namespace korvath::app
