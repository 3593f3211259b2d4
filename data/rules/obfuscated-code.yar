// Code that hides what it runs. Source: the obfuscation idioms of the malicious skills found on
// public skill registries in 2026. Long encoded runs and NUL bytes in text are found in code.

rule encoded_code_run
{
    meta:
        family = "obfuscated-code"
        level = "medium"
        message = "Runs code built from encoded parts"
        message_de = "Führt verschlüsselten Code aus"
    strings:
        $eval = /\b(eval|exec)\b[^\n]{0,200}(fromCharCode|unhexlify|\\x[0-9a-f]{2}\\x[0-9a-f]{2}\\x[0-9a-f]{2}|chr\(\d+\)\s*\+\s*chr\(\d+\)|rot13|zlib\.decompress|marshal\.loads)/ nocase
    condition:
        is_text and $eval
}
