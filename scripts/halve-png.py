#!/usr/bin/env python3
"""Halves an 8-bit RGB or RGBA PNG (2 x 2 box filter) into an RGB PNG:
the README's pictures, from the game's own 800 x 600 screenshots.
   halve-png.py IN.png OUT.png"""
import sys, zlib, struct
def read_png(path):
    data = open(path,'rb').read()
    assert data[:8] == b'\x89PNG\r\n\x1a\n'
    pos = 8; idat = b''; w=h=ct=None
    while pos < len(data):
        ln, = struct.unpack('>I', data[pos:pos+4]); typ = data[pos+4:pos+8]; body = data[pos+8:pos+8+ln]
        if typ == b'IHDR': w,h,bd,ct,_,_,il = struct.unpack('>IIBBBBB', body); assert bd==8 and il==0
        elif typ == b'IDAT': idat += body
        pos += 12+ln
    bpp = {2:3, 6:4}[ct]
    raw = zlib.decompress(idat); stride = w*bpp
    rows = []; prev = bytearray(stride); i = 0
    for y in range(h):
        f = raw[i]; line = bytearray(raw[i+1:i+1+stride]); i += 1+stride
        for x in range(stride):
            a = line[x-bpp] if x>=bpp else 0; b = prev[x]; c = prev[x-bpp] if x>=bpp else 0
            if f==1: line[x]=(line[x]+a)&255
            elif f==2: line[x]=(line[x]+b)&255
            elif f==3: line[x]=(line[x]+((a+b)>>1))&255
            elif f==4:
                p=a+b-c; pa=abs(p-a); pb=abs(p-b); pc=abs(p-c)
                line[x]=(line[x]+(a if pa<=pb and pa<=pc else (b if pb<=pc else c)))&255
        rows.append(line); prev = line
    return w,h,bpp,rows
def write_png(path,w,h,rows):
    out = bytearray()
    for r in rows:
        out.append(1); f = bytearray(len(r))
        for x in range(len(r)): f[x] = (r[x] - (r[x-3] if x>=3 else 0)) & 255
        out += f
    def chunk(t,b): return struct.pack('>I',len(b))+t+b+struct.pack('>I',zlib.crc32(t+b)&0xffffffff)
    png = b'\x89PNG\r\n\x1a\n'+chunk(b'IHDR',struct.pack('>IIBBBBB',w,h,8,2,0,0,0))+chunk(b'IDAT',zlib.compress(bytes(out),9))+chunk(b'IEND',b'')
    open(path,'wb').write(png)
w,h,bpp,rows = read_png(sys.argv[1])
nw,nh = w//2,h//2; out=[]
for y in range(nh):
    r0=rows[2*y]; r1=rows[2*y+1]; line=bytearray(nw*3)
    for x in range(nw):
        for c in range(3):
            s = r0[2*x*bpp+c]+r0[(2*x+1)*bpp+c]+r1[2*x*bpp+c]+r1[(2*x+1)*bpp+c]
            line[3*x+c]=(s+2)//4
    out.append(line)
write_png(sys.argv[2],nw,nh,out)
