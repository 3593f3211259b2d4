// Changes that destroy, persist, mine or take over the machine. Sources: the malicious skills
// found on public skill registries in 2026 (miners, cron and shell start-file persistence), and the
// commands that wipe a home folder or a disk, weaken security controls or raise privileges.

rule wipes_or_overwrites
{
    meta:
        family = "destructive"
        level = "high"
        message = "Deletes or overwrites whole folders or disks"
        message_de = "Löscht oder überschreibt ganze Ordner oder Festplatten"
    strings:
        $rm = /\brm\s+(-[a-zA-Z]*[rR][a-zA-Z]*\s+|--recursive\s+|-[a-zA-Z]+\s+)+(--no-preserve-root\s+)?["']?(~|\$HOME|\$\{HOME\}|\/)\/?\*?["']?(\s|[;&|)]|\n)/
        $chmod = /\bchmod\s+(-[a-zA-Z]*R[a-zA-Z]*\s+|--recursive\s+)(0?777|a\+rwx|ugo\+rwx)\s+["']?(\/|\/etc|\/usr|\/var|\/bin|\/sbin|\/lib|\/home|~|\$HOME)\/?["']?(\s|[;&|)]|\n)/
        $dd = /\bdd\b[^\n]{0,100}\bof=\/dev\/(sd[a-z]|nvme\d|hd[a-z]|vd[a-z]|xvd[a-z]|disk\d|mmcblk\d)/
        $mkfs = /\bmkfs(\.\w+)?\s+[^\n]{0,60}\/dev\/(sd[a-z]|nvme\d|hd[a-z]|vd[a-z]|xvd[a-z]|disk\d|mmcblk\d)/
        $shred = /\bshred\s[^\n]{0,60}\/dev\/(sd[a-z]|nvme\d|disk\d)/
    condition:
        is_text and any of them
}

rule disables_security
{
    meta:
        family = "destructive"
        level = "high"
        message = "Switches off a security control"
        message_de = "Schaltet eine Sicherheitsvorkehrung ab"
    strings:
        $selinux = /\bsetenforce\s+0\b/
        $firewall = /\bufw\s+disable\b|\bsystemctl\s+(stop|disable|mask)\s+(firewalld|ufw|apparmor|auditd|fail2ban)\b|\biptables\s+-F\b/
        $macos = /\bspctl\s+--master-disable\b|\bcsrutil\s+disable\b|\bxattr\s+-[a-z]*d[a-z]*\s+com\.apple\.quarantine\b/
        $windows = /\bSet-MpPreference\s+-Disable(RealtimeMonitoring|BehaviorMonitoring|IOAVProtection)\s+\$?true\b|\bAdd-MpPreference\s+-ExclusionPath\b/ nocase
    condition:
        is_text and any of them
}

rule persists_on_the_machine
{
    meta:
        family = "destructive"
        level = "high"
        message = "Makes itself start again: cron, a systemd unit or a shell start file"
        message_de = "Sorgt dafür, dass es wieder startet: Cron, eine systemd-Unit oder eine Startdatei der Shell"
    strings:
        $crontab = /\bcrontab\s+(-\s*$|-\s*[\n;&|)]|\/tmp\/)|\(\s*crontab\s+-l[^\n]{0,100}\)\s*\|\s*crontab\b|>>?\s*\/etc\/(crontab|cron\.d\/)/
        $rc = /(>>|\btee\s+-a)\s*["']?(~|\$HOME|\$\{HOME\})\/\.(bashrc|bash_profile|zshrc|zprofile|profile|config\/fish\/config\.fish)\b/
        $systemd = /(>|\btee\b|\bcp\b|\bmv\b|\bln\b)[^\n]{0,80}(\.config\/systemd\/user|\/etc\/systemd\/system)(\/[\w@.-]+\.(service|timer)\b|\/?(\s|$|&&|;))/
        $launchd = /(>|\btee\b|\bcp\b|\bmv\b)[^\n]{0,80}Library\/LaunchAgents\/[\w.-]+\.plist/
    condition:
        is_text and any of them
}

rule mines_cryptocurrency
{
    meta:
        family = "destructive"
        level = "high"
        message = "Mines cryptocurrency"
        message_de = "Schürft Kryptowährung"
    strings:
        $xmrig = /\bxmrig\b/ nocase
        $stratum = /stratum\+(tcp|ssl|tls):\/\//
        $pools = /\b(pool\.minexmr\.com|supportxmr\.com|xmr\.nanopool\.org|moneroocean\.stream|gulf\.moneroocean\.stream|xmr\.2miners\.com|pool\.hashvault\.pro|c3pool\.com|xmrpool\.eu|monerohash\.com|herominers\.com)\b/ nocase
    condition:
        is_text and any of them
}

rule raises_privileges
{
    meta:
        family = "destructive"
        level = "high"
        message = "Raises privileges: setuid programs or sudo rules"
        message_de = "Verschafft sich Rechte: setuid-Programme oder sudo-Regeln"
    strings:
        $setuid = /\bchmod\s+(u\+s|\+s|[4-7][0-7]{3}|g\+s)\s/
        $sudoers = /(>>?|\btee(\s+-a)?)\s*["']?\/etc\/sudoers(\.d\/[\w.-]+)?\b|\bNOPASSWD\s*:\s*ALL\b/
    condition:
        is_text and any of them
}
