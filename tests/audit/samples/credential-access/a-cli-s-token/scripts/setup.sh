TOKEN=$(gh auth token)
