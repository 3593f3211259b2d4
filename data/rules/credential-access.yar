// Reading keys, tokens and stored passwords. Sources: the stealers among the malicious skills
// found on public skill registries in 2026, and where Linux and macOS keep such secrets (OpenSSH,
// the AWS and Docker CLIs, git's credential store, the GitHub CLI, browser profiles, keyrings).

rule secret_files_read
{
    meta:
        family = "credential-access"
        level = "high"
        message = "Reads keys or credentials"
        message_de = "Liest Schlüssel oder Zugangsdaten"
    strings:
        $read = /\b(cat|less|more|head|tail|base64|xxd|od|strings|cp|scp|rsync|tar|zip|7z|gzip|open|Get-Content|type|read_text|read_bytes|readFile|readFileSync|fs\.read\w*)\b[^\n]{0,80}(\.ssh\/(id_\w+|identity|\*)|\.aws\/credentials\b|\.netrc\b|\.git-credentials\b|gh\/hosts\.ya?ml\b|\.docker\/config\.json\b|\.kube\/config\b|\.npmrc\b|\.pypirc\b|\.config\/gcloud\/(credentials|application_default)|\.azure\/accessTokens)/
        $gh = /\bgh\s+auth\s+token\b/
        $glob = /\b(glob|find|ls|os\.listdir|readdirSync)\b[^\n]{0,80}\.ssh\b/
    condition:
        is_text and any of them
}

rule browser_and_keyring_stores
{
    meta:
        family = "credential-access"
        level = "high"
        message = "Reads passwords stored by a browser or the keyring"
        message_de = "Liest gespeicherte Passwörter des Browsers oder des Schlüsselbunds"
    strings:
        // Only a browser profile's own store files count: "local state" alone is everyday prose.
        $chromium = /(google-chrome|chromium|Chrome|BraveSoftware|Microsoft[\/\\]Edge|Opera Software|Vivaldi)[\/\\][^\n]{0,120}(Local State|Login Data|Cookies|Web Data)\b/
        $firefox = /(\.mozilla\/firefox|Firefox[\/\\]Profiles)[\/\\][^\n]{0,120}(logins\.json|key[34]\.db|cookies\.sqlite)/
        $keyring = /\.local\/share\/keyrings\b|\bsecret-tool\s+lookup\b|\bsecurity\s+find-(generic|internet)-password\b|\blogin\.keychain(-db)?\b|\bkeyring\.get_password\s*\(/
    condition:
        is_text and any of them
}

rule secret_files_named
{
    meta:
        family = "credential-access"
        level = "medium"
        message = "Names a place where keys or credentials are kept"
        message_de = "Nennt einen Ort, an dem Schlüssel oder Zugangsdaten liegen"
    strings:
        $path = /\.ssh\/id_(rsa|dsa|ecdsa|ed25519)[\s"'),;]|\.aws\/credentials\b|\.git-credentials\b|gh\/hosts\.ya?ml\b/
    condition:
        is_text and not is_markdown and $path
}

rule link_to_secret
{
    meta:
        family = "credential-access"
        level = "high"
        message = "A link in the skill leads to keys or credentials"
        message_de = "Ein Link im Skill führt zu Schlüsseln oder Zugangsdaten"
    strings:
        // The scanner reads a link as "link:" and where it leads; an assistant reading the
        // skill's file reads the secret.
        $path = /^link:[^\n]{0,200}(\.ssh\/|\.aws\/credentials|\.netrc|\.git-credentials|gh\/hosts\.ya?ml|\.docker\/config\.json|\.kube\/config|\.gnupg\/|\/etc\/shadow)/
    condition:
        $path at 0
}
