pip install reqeusts
