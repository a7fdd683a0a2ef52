#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

#include <linux/capability.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace mirevo::test {

// Makes `folder` unwritable while alive, also when the tests run as root: the folder loses
// its write bits, and this thread stops overriding permission bits (CAP_DAC_OVERRIDE leaves
// the effective set but stays permitted, and comes back at the end), so that root meets
// them as an ordinary user does. Files cannot be made, renamed or removed in the folder.
class UnwritableFolder {
public:
    explicit UnwritableFolder(const QString& folder) : m_folder(QFile::encodeName(folder))
    {
        ::chmod(m_folder.constData(), 0555);
        overridePermissions(false);
    }
    ~UnwritableFolder()
    {
        overridePermissions(true);
        ::chmod(m_folder.constData(), 0755);
    }
    UnwritableFolder(const UnwritableFolder&) = delete;

private:
    static void overridePermissions(bool override)
    {
        __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
        __user_cap_data_struct data[2]{};
        if (::syscall(SYS_capget, &header, data) != 0)
            return;
        const __u32 bit = 1u << CAP_DAC_OVERRIDE;
        data[0].effective =
            override ? data[0].effective | (data[0].permitted & bit) : data[0].effective & ~bit;
        ::syscall(SYS_capset, &header, data);
    }

    QByteArray m_folder;
};

} // namespace mirevo::test
