// Instructions aimed at the assistant rather than at the task: overriding its own rules, keeping
// things from the user, or running text it is told to decode. Sources: published prompt-injection
// research on agent skills (2025, 2026) and the phrasings of the malicious skills found on public
// skill registries, in English and German.

rule override_instructions
{
    meta:
        family = "prompt-injection"
        level = "high"
        message = "Tells the assistant to set aside its instructions"
        message_de = "Fordert den Assistenten auf, seine Anweisungen zu übergehen"
    strings:
        $en = /\b(ignore|disregard|forget|override|bypass)\s+(all\s+|any\s+)?(of\s+)?(the\s+|your\s+|its\s+)?(previous|prior|above|earlier|preceding|system|original|safety)\s+(instructions|prompts?|rules|directions|guidelines|guardrails)/ nocase
        $de = /\b(ignoriere|vergiss|missachte|übergehe)\s+(alle\s+)?(deine\s+|die\s+|bisherigen\s+)?(vorherigen|bisherigen|obigen|früheren|vorigen|ursprünglichen)\s+(Anweisungen|Regeln|Vorgaben)/ nocase
    condition:
        is_text and any of them
}

rule acts_behind_the_user
{
    meta:
        family = "prompt-injection"
        level = "high"
        message = "Tells the assistant to act behind the user's back"
        message_de = "Fordert den Assistenten auf, am Benutzer vorbei zu handeln"
    strings:
        $en_tell = /\b(do\s+not|don't|never)\s+(tell|inform|notify|alert|show|mention\s+(this|it)\s+to|reveal\s+(this|it)\s+to)\s+the\s+user\b/ nocase
        $en_without = /\bwithout\s+(asking|telling|informing|notifying)\s+the\s+user\b|\bhide\s+(this|it|these|them)\s+from\s+the\s+user\b/ nocase
        $de_tell = /\b(sag|sage|erzähl|erzähle|verrate|zeige?)\s+(es\s+|das\s+|dies\s+)?(dem|den)\s+(Benutzer|Nutzer|Anwender)\w*\s+(nicht|nichts)\b/ nocase
        $de_without = /\bohne\s+(den\s+|die\s+)?(Benutzer|Nutzer|Anwender)\w*\s+zu\s+(fragen|informieren)\b|\bvor\s+(dem|den)\s+(Benutzer|Nutzer|Anwender)\w*\s+(verbergen|verheimlichen)\b/ nocase
    condition:
        is_text and any of them
}

rule acts_without_consent
{
    meta:
        family = "prompt-injection"
        level = "medium"
        message = "Tells the assistant to act without consent, or unnoticed"
        message_de = "Fordert den Assistenten auf, ohne Zustimmung oder unbemerkt zu handeln"
    strings:
        $en = /\b(do\s+not|don't|never)\s+ask\s+(the\s+user\s+)?(for\s+)?(permission|confirmation)\b|\bwithout\s+(asking\s+for\s+)?(permission|confirmation)\b|\bsilently\s+(run|execute|install|send|upload|delete|remove|modify|change)\b/ nocase
        $de = /\bohne\s+(Rückfrage|Nachfrage|Bestätigung|Erlaubnis)\b|\bstillschweigend\b|\bheimlich\b/ nocase
    condition:
        is_text and any of them
}

rule decode_and_run_told
{
    meta:
        family = "prompt-injection"
        level = "high"
        message = "Tells the assistant to decode text and run it"
        message_de = "Fordert den Assistenten auf, Text zu entschlüsseln und auszuführen"
    strings:
        $en = /\b(decode|base64[- ]decode|unbase64|de-?obfuscate|reverse)\b[^\n]{0,80}\b(and|then|,)\s+(run|execute|eval|evaluate)\b/ nocase
        $en_first = /\b(run|execute)\s+(the\s+)?(decoded|base64[- ]decoded)\b/ nocase
        $de = /\b(dekodiere|entschlüssele|entschlüssle|decodiere)\b[^\n]{0,80}\b(und|dann)\s+(führe|starte)\b[^\n]{0,60}\b(aus|aus\.)/ nocase
        $de_first = /\b(führe|starte)\s+(den\s+|das\s+)?(dekodierten|entschlüsselten)\b/ nocase
    condition:
        is_text and any of them
}
