// Local files, secrets or the environment sent out, by a shell command or by code.
// Sources: the stealers among the malicious skills found on public skill registries in 2026
// (tokens and .env files posted to webhooks), and the common upload idioms of curl, wget,
// netcat, Python requests, Node's fetch and DNS lookups that carry data in the name.

rule files_sent_out
{
    meta:
        family = "exfiltration"
        level = "high"
        message = "Sends local files out to the network"
        message_de = "Sendet lokale Dateien ins Netz"
    strings:
        $curl = /\bcurl\b[^\n]{0,300}(\s(-d|--data(-binary|-raw|-urlencode)?)[\s=]*['"]?@|\s(-F|--form)\s*['"]?[^=\s]+=@|\s(--upload-file|-T)\s)/
        $wget = /\bwget\b[^\n]{0,300}--post-file\b/
        $nc = /\b(nc|ncat|netcat)\b[^|\n]{0,100}\s\S+\s+\d{1,5}\s*<|\|\s*(nc|ncat|netcat)\s+(-\S+\s+)*[\w.-]+\s+\d{1,5}\b/
        $dev_tcp = /(>|<)\s*\/dev\/(tcp|udp)\/[^\/\s]+\/\d{1,5}/
    condition:
        is_text and any of them
}

rule secrets_sent_out
{
    meta:
        family = "exfiltration"
        level = "high"
        message = "Sends secrets or the environment out to the network"
        message_de = "Sendet Geheimnisse oder die Umgebung ins Netz"
    strings:
        // curl -d "token=$API_KEY", wget --post-data "k=$SECRET": keyed on the form flag, not on
        // "https", which is on every other line of prose. A token in a header or a query goes to
        // the API it belongs to, as documentation shows every day, and is no finding.
        $curl_secret = /\s(-d|--data(-binary|-raw|-urlencode)?|-F|--form|--post-data)[\s=]+["']?[^\n"']{0,100}\$\{?[A-Z_]*(KEY|TOKEN|SECRET|PASS|PASSWORD|CRED|AUTH|SESSION|COOKIE)[A-Z_]*\}?/
        $curl_env = /\b(curl|wget)\b[^\n]{0,300}\$\(\s*(env|printenv|set|cat\s+[^\n)]{0,80}(\.env|\.ssh|\.aws|credentials|id_rsa|id_ed25519|\.netrc|\.git-credentials))\b/
        $env_pipe = /\b(env|printenv|set)\b\s*\|\s*(base64\s*\|\s*)?(curl|wget|nc|ncat|netcat)\b/
        // requests.post(url, json=dict(os.environ)), httpx.post(…, data=os.environ)
        $python = /\b(requests|httpx|session|aiohttp|client)\.(post|put|patch|request|get)\s*\([^\n]{0,300}(os\.environ|os\.getenv\s*\(\s*["'][A-Z_]*(KEY|TOKEN|SECRET)|open\s*\([^\n)]{0,80}(\.env|\.ssh|\.aws|credentials|id_rsa|id_ed25519|\.netrc))/
        $urllib = /\burlopen\s*\([^\n]{0,300}(os\.environ|\.env\b)/
        // fetch(url, {method: "POST", body: … process.env / readFileSync(".env")})
        $js = /\b(fetch|axios\.(post|put)|got\.post|request\.post)\s*\([\x00-\xff]{0,400}\b(body|data|json)\s*[:=][\x00-\xff]{0,200}(process\.env\b|readFileSync\s*\(\s*[^\n)]{0,80}(\.env|\.ssh|\.aws|credentials|\.npmrc|\.netrc))/
        // dig $(… | base64).attacker.example, nslookup `whoami`.x.example
        $dns = /\b(dig|nslookup|host|drill|ping)\s+[^\n]{0,60}(\$\(|`)[^\n]{1,200}(\)|`)\.[\w-]+\.[a-z]{2,}/
    condition:
        is_text and any of them
}

rule collection_endpoint
{
    meta:
        family = "exfiltration"
        level = "medium"
        message = "Names a service that collects what is sent to it"
        message_de = "Nennt einen Dienst, der sammelt, was man ihm schickt"
    strings:
        $endpoint = /\b(webhook\.site|requestbin\.(com|net)|pipedream\.net|[\w-]+\.m\.pipedream\.net|hookbin\.com|beeceptor\.com|requestcatcher\.com|interact\.sh|oast\.(fun|live|me|online|pro|site)|burpcollaborator\.net|ngrok\.io|ngrok-free\.app|ngrok\.app|trycloudflare\.com|loca\.lt|serveo\.net|discord(app)?\.com\/api\/webhooks\/|hooks\.slack\.com\/services\/|api\.telegram\.org\/bot)/ nocase
    condition:
        is_text and $endpoint
}

rule data_sent_to_collection_endpoint
{
    meta:
        family = "exfiltration"
        level = "high"
        message = "Sends local data to a service that collects it"
        message_de = "Sendet lokale Daten an einen Dienst, der sie sammelt"
    strings:
        $endpoint = /\b(webhook\.site|requestbin\.(com|net)|pipedream\.net|hookbin\.com|beeceptor\.com|requestcatcher\.com|interact\.sh|oast\.(fun|live|me|online|pro|site)|burpcollaborator\.net|ngrok\.io|ngrok-free\.app|ngrok\.app|trycloudflare\.com|loca\.lt|serveo\.net|discord(app)?\.com\/api\/webhooks\/|hooks\.slack\.com\/services\/|api\.telegram\.org\/bot)/ nocase
        $local = /(os\.environ|process\.env|\$\(\s*(env|printenv|whoami|hostname|cat|ls)\b|\b(env|printenv)\s*\||readFileSync|open\s*\(|\s-d\s*["']?@|--data-binary\s*@|\.ssh\/|\.aws\/|\.env\b|id_rsa|id_ed25519|\$\{?[A-Z_]*(KEY|TOKEN|SECRET|PASSWORD)\b)/
    condition:
        is_text and $endpoint and $local
}
