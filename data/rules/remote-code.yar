// Code fetched from the network, or decoded from hidden text, and run at once.
// Sources: the fake "prerequisite" installers of the malicious skills found on public skill
// registries in 2026 (base64 that decodes to `/bin/bash -c "$(curl -fsSL URL)"`, paste sites,
// password-protected archives), and the shell, Python, Perl and PowerShell idioms for each step.
// External variables: is_text (the file is read as text), decoded (the text was decoded from a
// base64 or hex literal), is_markdown (prose the assistant reads).

rule decoded_text_run
{
    meta:
        family = "remote-code"
        level = "high"
        message = "Decodes hidden text and runs it"
        message_de = "Entschlüsselt versteckten Text und führt ihn aus"
    strings:
        // echo … | base64 -d | sh, also -D, --decode, openssl base64 -d, xxd -r -p
        $pipe = /(base64\s+(-[a-zA-Z]*[dD]\b|--decode)|openssl\s+(enc\s+)?(-)?base64\s+(-[a-zA-Z]+\s+)*-d\b|xxd\s+(-[a-zA-Z]+\s+)*-r\b)[^\n|]{0,80}\|\s*(sudo\s+(-\S+\s+)*)?(env\s+)?(\/(usr\/)?bin\/)?((ba|z|k|da)?sh|python[0-9.]*|perl|ruby|node)(\s*[\r\n;&|)"'`]|\s+-s\b|\s+-\s|\s+-$)/ nocase
        // eval "$(echo … | base64 -d)", bash -c "$(… base64 -d)"
        $eval = /(eval|(ba|z)?sh\s+-c)\s+["']?\$\([^\n)]{0,200}(base64\s+(-[a-zA-Z]*[dD]\b|--decode)|xxd\s+-r|openssl\s+(enc\s+)?-?base64)/ nocase
        // exec(base64.b64decode(…)), exec(codecs.decode(…)), eval(atob(…)), eval(Buffer.from(…, 'base64'))
        $python = /\b(exec|eval)\s*\(\s*(__import__\(\s*['"]base64['"]\s*\)\.|base64\.|codecs\.|binascii\.)?(b64decode|b32decode|a85decode|decodebytes|unhexlify|decode)\s*\(/
        $js = /\b(eval|Function)\s*\(\s*(atob\s*\(|Buffer\.from\s*\([^\n)]{0,200}['"](base64|hex)['"])/
        $perl = /\beval\s*\(?\s*decode_base64\s*\(/
        $powershell = /(iex|Invoke-Expression)[^\n]{0,80}(FromBase64String|\[Convert\])/ nocase
    condition:
        is_text and any of them
}

rule download_run_by_shell
{
    meta:
        family = "remote-code"
        level = "high"
        message = "Runs code downloaded from the network"
        message_de = "Lädt Code aus dem Netz und führt ihn sofort aus"
        unless = "$vendor"
    strings:
        // curl … | sh, wget -qO- … | sudo bash -, … | python3 -
        $pipe = /\b(curl|wget|fetch)\s[^\n|]{0,2000}\|\s*(sudo\s+(-\S+\s+)*)?(env\s+)?(\/(usr\/)?bin\/)?((ba|z|k|da)?sh|python[0-9.]*|perl|ruby|node)(\s*[\r\n;&|)"'`]|\s+-s\b|\s+-\s|\s+-$)/ nocase
        // bash -c "$(curl …)", sh -c "$(wget -qO- …)", eval "$(curl …)"
        $command = /\b((ba|z|k|da)?sh\s+-c|eval)\s+["']?\$\(\s*(curl|wget)\s/ nocase
        $process = /\b((ba|z)?sh|source|\.)\s+<\(\s*(curl|wget)\s/ nocase
        $powershell = /\b(iex|Invoke-Expression)\b[\s(]*(\(\s*)?(iwr|irm|Invoke-WebRequest|Invoke-RestMethod|New-Object\s+(System\.)?Net\.WebClient)\b|\b(iwr|irm|Invoke-WebRequest|Invoke-RestMethod)\b[^|\n]{0,300}\|\s*(iex|Invoke-Expression)\b/ nocase
        // Well-known installers from their vendors' own hosts: a lesser risk, weighed by vendor_installer.
        $vendor = /\b(curl|wget|fetch|((ba|z)?sh\s+-c|eval)\s+["']?\$\(\s*(curl|wget))\s[^\n|]{0,200}https:\/\/(sh\.rustup\.rs|get\.docker\.com|deb\.nodesource\.com|rpm\.nodesource\.com|astral\.sh|bun\.sh|deno\.land|ollama\.com|claude\.ai|opencode\.ai|get\.pnpm\.io|install\.python-poetry\.org|raw\.githubusercontent\.com\/(Homebrew\/install|nvm-sh\/nvm|helm\/helm)\/|get\.volta\.sh|fly\.io|tailscale\.com|get\.k3s\.io|starship\.rs|cli\.github\.com|pyenv\.run|sdk\.cloud\.google\.com|get\.sdkman\.io)\// nocase
    condition:
        is_text and any of ($pipe, $command, $process, $powershell) and #vendor >= 0
}

rule vendor_installer
{
    meta:
        family = "remote-code"
        level = "medium"
        message = "Runs a vendor's installer downloaded from its own site"
        message_de = "Führt das Installationsprogramm eines Herstellers von dessen eigener Seite aus"
    strings:
        $vendor = /\b(curl|wget|fetch|((ba|z)?sh\s+-c|eval)\s+["']?\$\(\s*(curl|wget))\s[^\n|]{0,200}https:\/\/(sh\.rustup\.rs|get\.docker\.com|deb\.nodesource\.com|rpm\.nodesource\.com|astral\.sh|bun\.sh|deno\.land|ollama\.com|claude\.ai|opencode\.ai|get\.pnpm\.io|install\.python-poetry\.org|raw\.githubusercontent\.com\/(Homebrew\/install|nvm-sh\/nvm|helm\/helm)\/|get\.volta\.sh|fly\.io|tailscale\.com|get\.k3s\.io|starship\.rs|cli\.github\.com|pyenv\.run|sdk\.cloud\.google\.com|get\.sdkman\.io)\/[^\n]{0,200}(\|\s*(sudo\s+(-\S+\s+)*)?((ba|z)?sh|python[0-9.]*)\b|\)["']?)/ nocase
    condition:
        is_text and $vendor
}

rule download_then_run
{
    meta:
        family = "remote-code"
        level = "high"
        message = "Downloads a program, then runs it"
        message_de = "Lädt ein Programm herunter und führt es dann aus"
    strings:
        // wget URL -O x.sh && bash x.sh; curl -sLO URL && chmod +x f && ./f; curl -o /tmp/x URL; sh /tmp/x.
        // With the output switch straight after the program ("curl -sLO URL && …"), the download
        // counts with what runs it on the same line: that form leads every other README line. It
        // is a string of its own: one pattern for both forms was slower on such text.
        $joined = /\b(curl|wget)\s[^\n]{0,300}\s(-[a-zA-Z]*[oO]\b|--output(-document)?\b|--remote-name\b)[^\n]{0,300}(&&|;)\s*(sudo\s+)?((ba|z|k|da)?sh\s+[^\s-]|python[0-9.]*\s+[^\s-]|perl\s+[^\s-]|ruby\s+[^\s-]|node\s+[^\s-]|chmod\s+(-\S+\s+)*(\+x|u\+x|a\+x|[0-7]?7[0-7][0-7])\b[^\n]{0,150}(&&|;)\s*(sudo\s+)?(\.{0,2}\/|~\/|\$HOME\/|\/tmp\/))/ nocase
        $joined_first = /\b(curl|wget)\s+(-[a-zA-Z]*[oO]\b|--output(-document)?\b|--remote-name\b)[^\n]{0,300}(&&|;)\s*(sudo\s+)?((ba|z|k|da)?sh\s+[^\s-]|python[0-9.]*\s+[^\s-]|perl\s+[^\s-]|ruby\s+[^\s-]|node\s+[^\s-]|chmod\s+(-\S+\s+)*(\+x|u\+x|a\+x|[0-7]?7[0-7][0-7])\b[^\n]{0,150}(&&|;)\s*(sudo\s+)?(\.{0,2}\/|~\/|\$HOME\/|\/tmp\/))/ nocase
        $download = /\b(curl|wget)\s[^\n]{0,300}\s(-[a-zA-Z]*[oO]\s+\S*(\/tmp\/|\/dev\/shm\/|\.sh\b|\.py\b|\.bin\b|\.exe\b|\.run\b|\.AppImage\b)|-O\b|--output(-document)?[= ]\S*(\/tmp\/|\.sh\b|\.py\b))/ nocase
        $run = /(^|[\n;&|]\s*)(sudo\s+)?((ba|z|k|da)?sh|python[0-9.]*|perl|ruby|node)\s+(\/tmp\/|\/dev\/shm\/|\.\/|~\/|\$HOME\/|\$TMPDIR\/)?[\w.\/-]{1,80}\.(sh|py|pl|rb|js|bin|run)\b|(^|[\n;&|]\s*)chmod\s+(-\S+\s+)*(\+x|u\+x|a\+x|[0-7]?7[0-7][0-7])\s+[^\n]{1,120}(\n|&&|;)\s*(sudo\s+)?(\.\/|\/tmp\/|\/dev\/shm\/|~\/|\$HOME\/)/ nocase
    condition:
        is_text and ($joined or $joined_first or
            for any i in (1..#download) : ($run in (@download[i] .. @download[i] + 600)))
}

rule fetch_and_run_by_hand
{
    meta:
        family = "remote-code"
        level = "high"
        message = "Tells the user to copy a script from a paste site into a terminal, or to run a program from a password-protected archive"
        message_de = "Lässt ein Skript von einer Paste-Seite ins Terminal kopieren oder ein Programm aus einem passwortgeschützten Archiv starten"
    strings:
        $paste = /\b(pastebin\.com|paste\.ee|pastes\.io|rentry\.(co|org)|hastebin\.(com|skyra\.pw)|ghostbin\.\w+|dpaste\.(com|org)|termbin\.com|controlc\.com|justpaste\.it|privatebin\.\w+|paste\.rs|0x0\.st|ix\.io|sprunge\.us|glot\.io|codepen\.io|jsfiddle\.net|gist\.githubusercontent\.com)\b/ nocase
        $terminal = /\b(paste|copy|run|execute|enter)\b[^\n]{0,120}\b(terminal|command\s+prompt|cmd\.exe|powershell|shell|console)\b/ nocase
        $terminal_de = /\b(kopiere|kopieren|füge|einfügen|fuege|starte|führe|fuehre)\b[^\n]{0,120}\b(Terminal|Eingabeaufforderung|PowerShell|Konsole|Shell)\b/ nocase
        $archive = /\b(zip|rar|7z|archive|archiv)\b/ nocase
        $password = /\b(password|passwort|passcode|kennwort|pass)\s*(is|lautet|ist)?\s*[:=]?\s*[`'"]?[\w!@#$%^&*.-]{3,40}/ nocase
        // The program itself, not the verb: "run", "open" and "start" are in every other line of prose.
        $launch = /[\w-]\.(exe|dmg|pkg|msi|appimage|app|bin|scr|bat|cmd)\b|\b(installer|setup\.\w{2,4})\b/ nocase
    condition:
        is_text and (
            ($paste and ($terminal or $terminal_de) and
                for any i in (1..#paste) : (
                    for any j in (1..#terminal) : (@terminal[j] > @paste[i] - 400 and @terminal[j] < @paste[i] + 400) or
                    for any k in (1..#terminal_de) : (@terminal_de[k] > @paste[i] - 400 and @terminal_de[k] < @paste[i] + 400)))
            or
            (for any i in (1..#password) : (
                for any j in (1..#archive) : (@archive[j] > @password[i] - 400 and @archive[j] < @password[i] + 400) and
                for any k in (1..#launch) : (@launch[k] > @password[i] - 600 and @launch[k] < @password[i] + 600)))
        )
}

rule reverse_shell
{
    meta:
        family = "remote-code"
        level = "high"
        message = "Opens a shell for someone on the network"
        message_de = "Öffnet eine Shell für jemanden im Netz"
    strings:
        $nc_exec = /\b(nc|ncat|netcat|nc\.traditional)\s[^\n|]{0,120}(-e|-c|--exec|--sh-exec)\s+["']?(\/(usr\/)?bin\/)?((ba|z|da)?sh|cmd(\.exe)?|powershell)\b/ nocase
        $dev_tcp = /\b(ba|z)?sh\s+-i\s*[^\n]{0,40}>&\s*\/dev\/(tcp|udp)\/|\/dev\/(tcp|udp)\/[^\/\s]+\/\d{1,5}\s*0\s*>&\s*1|exec\s+\d+<>\s*\/dev\/tcp\//
        $fifo = /\bmkfifo\s[^\n]{0,200}\|\s*(nc|ncat|netcat|openssl\s+s_client)\b|\b(nc|ncat|netcat)\s[^\n]{0,100}<\s*\/tmp\/\w+\s*\|\s*(\/bin\/)?(ba)?sh\b/
        $socat = /\bsocat\b[^\n]{0,200}\bexec:[^\n]{0,40}(sh|bash)\b/ nocase
        $py_socket = /\bsocket\.socket\s*\(/
        $py_shell = /\b(pty\.spawn\s*\(|os\.dup2\s*\(|subprocess\.(call|Popen|run)\s*\(\s*\[?\s*["'](\/bin\/)?(ba)?sh["'])/
        $perl = /\bsocket\s*\([^\n]{0,200}\bexec\s*\(?\s*["'](\/bin\/)?(ba)?sh/ nocase
        $php = /\bfsockopen\s*\([^\n]{0,200}\b(exec|shell_exec|system|proc_open|passthru)\s*\(/
    condition:
        is_text and ($nc_exec or $dev_tcp or $fifo or $socat or $perl or $php or
            for any i in (1..#py_socket) : (for any j in (1..#py_shell) : (@py_shell[j] > @py_socket[i] and @py_shell[j] < @py_socket[i] + 800)))
}

rule hidden_file_run
{
    meta:
        family = "remote-code"
        level = "high"
        message = "Runs code it reads from a hidden or temporary file"
        message_de = "Führt Code aus, den es aus einer versteckten oder temporären Datei liest"
    strings:
        $exec = /\b(exec|eval)\s*\(\s*(compile\s*\(\s*)?(open|Path)\s*\(\s*(f|r)?["'](\/tmp\/|\/var\/tmp\/|\/dev\/shm\/|~\/\.|\.\/\.|\/\.)[^"']*["']/
        $exec_var = /\b(exec|eval)\s*\(\s*(compile\s*\(\s*)?open\s*\(\s*(os\.path\.join\s*\(\s*)?(tempfile\.gettempdir\s*\(\s*\)|os\.environ\[["']TMPDIR)/
        $js = /\beval\s*\(\s*(fs\.)?readFileSync\s*\(\s*["'](\/tmp\/|~\/\.|\.\/\.)/
        $source = /(^|[\n;&|]\s*)(source|\.)\s+(\/tmp\/|\/dev\/shm\/)\S+/
    condition:
        is_text and any of them
}

rule package_from_unchosen_place
{
    meta:
        family = "remote-code"
        level = "medium"
        message = "Installs packages from a place other than the usual registry"
        message_de = "Installiert Pakete von einem anderen Ort als dem üblichen Verzeichnis"
        unless = "$known_index"
    strings:
        $pip_index = /\bpip[0-9.]*\s+install\b[^\n]{0,200}--(extra-)?index-url[= ]\s*["']?https?:\/\// nocase
        $pip_url = /\bpip[0-9.]*\s+install\b[^\n]{0,100}\s(git\+)?https?:\/\/\S+\.(whl|tar\.gz|zip)\b/ nocase
        // The address is spelt without plain literals, so YARA anchors this on "npm" rather than on
        // the "://" and ".tgz" of every download a README names.
        $npm_url = /\bnpm\s+(install|i|add)\b[^\n]{0,100}\sh[t]{2}ps?:[\/]{2}\S+\.t(g|ar\.g)z\b/ nocase
        $known_index = /\bpip[0-9.]*\s+install\b[^\n]{0,200}--(extra-)?index-url[= ]\s*["']?https:\/\/(pypi\.org|test\.pypi\.org|download\.pytorch\.org|pypi\.nvidia\.com|files\.pythonhosted\.org)\// nocase
    condition:
        is_text and any of ($pip_index, $pip_url, $npm_url) and #known_index >= 0
}
