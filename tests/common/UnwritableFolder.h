#pragma once

#include <QFile>
#include <QString>

#include <linux/capability.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace mirevo::test {

// Makes `folder` unwritable while alive, also for root: its write bits go, and this thread
// stops overriding permission bits (CAP_DAC_OVERRIDE leaves the effective set, stays
// permitted and comes back at the end). Nothing can be made, renamed or removed in it.
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

private:
    static void overridePermissions(bool on)
    {
        __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
        __user_cap_data_struct data[2]{};
        const __u32 bit = 1u << CAP_DAC_OVERRIDE;
        if (::syscall(SYS_capget, &header, data) != 0)
            return;
        data[0].effective =
            on ? data[0].effective | (data[0].permitted & bit) : data[0].effective & ~bit;
        ::syscall(SYS_capset, &header, data);
    }
    QByteArray m_folder;
};

} // namespace mirevo::test
