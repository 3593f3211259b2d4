// Programs in a skill: an assistant may be told to run them, and no one can read them.
// Sources: the ELF, PE and Mach-O formats' magic numbers.

rule program_for_linux_windows_or_macos
{
    meta:
        family = "binary-executable"
        level = "medium"
        message = "Holds a program for Linux, Windows or macOS"
        message_de = "Enthält ein ausführbares Programm"
    condition:
        not decoded and (
            uint32(0) == 0x464c457f or               // ELF
            uint16(0) == 0x5a4d or                   // MZ: Windows
            uint32(0) == 0xfeedface or uint32(0) == 0xfeedfacf or
            uint32(0) == 0xcefaedfe or uint32(0) == 0xcffaedfe or
            uint32be(0) == 0xcafebabe                // Mach-O, and universal binaries
        )
}
